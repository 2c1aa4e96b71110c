# Warnings for the project's own targets; third-party code is not built here.
add_compile_options(-Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    # GCC 12 at -O3 reports overlapping copies inside std::string's operator+ that cannot
    # happen (its bug 105329); the warning only buries real ones.
    add_compile_options(-Wshadow=local -Wno-restrict)
endif()

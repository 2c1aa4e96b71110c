# Warnings for the project's own targets; third-party code is not built here.
add_compile_options(-Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor
                    -Wno-missing-field-initializers)

# Fails when a file of a Qt-free ring includes a Qt header. Qt-free files are those in the
# platform folder (except platform/qt), and in every subsystem folder the files not under a
# "ui" sub-folder; the app folder is all ui.
file(GLOB_RECURSE files ${ROOT}/*.h ${ROOT}/*.cpp)
set(bad "")
foreach(f IN LISTS files)
    file(RELATIVE_PATH rel ${ROOT} ${f})
    if(rel MATCHES "^app/" OR rel MATCHES "/ui/" OR rel MATCHES "^platform/qt/" OR rel STREQUAL "testsupport/qtestmain.cpp"
       OR rel MATCHES "/tests/ui/" OR rel MATCHES "^tests/")
        continue()
    endif()
    file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]|Qt)")
    if(includes)
        string(APPEND bad "  ${rel}: ${includes}\n")
    endif()
endforeach()
if(bad)
    message(FATAL_ERROR "Qt headers included from Qt-free code:\n${bad}")
endif()

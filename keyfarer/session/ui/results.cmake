# kf_results_ui: the result sheet with its result and key-delay pages, the review sheet, and
# the two modal steps the desk runs after an exercise and before a review. The desk's library
# links it; it needs of the desk only the DeskEnvironment interface (a header).
add_library(kf_results_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/dlgresult.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dlgreview.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resultsheet.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resultsheetflow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resultsheetgauge.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resultsheetgroup.cpp
    ${CMAKE_SOURCE_DIR}/keyfarer/users/ui/dlgkeydelay.cpp
    ${CMAKE_SOURCE_DIR}/keyfarer/users/ui/dlgkeydelaychart.cpp
)
target_include_directories(kf_results_ui PUBLIC ${CMAKE_SOURCE_DIR}/keyfarer)
target_link_libraries(kf_results_ui PUBLIC kf_results kf_skin_ui Qt6::Widgets)

# The widget tests run the pages on the real look, string table and data supplier of a
# staged installation tree (LocalDeskEnvironment of the desk's library).
if(TARGET kf_session_ui)
    kf_add_test(NAME kf_results_ui_test QT
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/results_ui_test.cpp
        LIBS kf_results_ui kf_session_ui kf_testsupport
        LABELS ui)
    # The whole road of a lesson through the real desk, once the desk is part of the library.
    get_target_property(kf_session_ui_sources kf_session_ui SOURCES)
    if("typingdeskwnd.cpp" IN_LIST kf_session_ui_sources)
        kf_add_test(NAME kf_results_desk_test QT
            SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/resultsdesk_test.cpp
            LIBS kf_session_ui kf_testsupport
            LABELS ui)
        # The saved file is read back by the command-line tool, as a user would inspect it.
        if(KF_TESTS)
            target_compile_definitions(kf_results_desk_test PRIVATE KF_KFTOOL="$<TARGET_FILE:kftool>")
            add_dependencies(kf_results_desk_test kftool)
        endif()
    endif()
endif()

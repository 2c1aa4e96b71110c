# The standard typing view's rules without Qt: options per mode, line and page layout, what a
# page shows, the page turn and the keystrokes held back while it runs. They join kf_session,
# which the view's widget (session/ui/standview.cmake) and the desk link anyway.
target_sources(kf_session PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/standviewlayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/standviewoptions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/standviewpageturn.cpp
)

kf_add_test(NAME kf_standview_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/standviewlayout_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/standviewoptions_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/standviewpageturn_test.cpp
    LIBS kf_session
    LABELS core)

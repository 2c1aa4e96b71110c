# kf_standview_ui: the standard typing view widget (CStandView), drawn from the rules of
# session/standviewlayout.h; the desk's kf_session_ui links it.
add_library(kf_standview_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/standview.cpp
)
target_include_directories(kf_standview_ui PUBLIC ${CMAKE_SOURCE_DIR}/keyfarer)
target_link_libraries(kf_standview_ui PUBLIC kf_session kf_skin_ui Qt6::Widgets)

kf_add_test(NAME kf_standview_ui_test QT
    SOURCES ${CMAKE_SOURCE_DIR}/keyfarer/session/tests/ui/standview_test.cpp
    LIBS kf_standview_ui
    LABELS ui)

# One keystroke on the views, repaint included (figures, not a test).
if(TARGET kf_keyboard_ui OR EXISTS ${CMAKE_SOURCE_DIR}/keyfarer/keyboard/CMakeLists.txt)
    kf_add_benchmark(NAME kf_standview_bench
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/standview_bench.cpp
        LIBS kf_standview_ui kf_keyboard_ui)
endif()

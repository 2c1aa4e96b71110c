# kf_results: what happens after an exercise, without Qt — saving the result, scoring the
# slowest characters for the key-delay page, and planning a review of them. It joins the
# session engine and the user records, so it is a library of its own.
if(NOT TARGET kf_users)
    return()
endif()

add_library(kf_results STATIC
    ${CMAKE_CURRENT_LIST_DIR}/resultsaving.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resultreview.cpp
    ${CMAKE_SOURCE_DIR}/keyfarer/users/keydelaypage.cpp
)
target_include_directories(kf_results PUBLIC ${CMAKE_SOURCE_DIR}/keyfarer)
target_link_libraries(kf_results PUBLIC kf_session kf_users)

kf_add_test(NAME kf_results_test
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/tests/resultsaving_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/tests/resultreview_test.cpp
        ${CMAKE_SOURCE_DIR}/keyfarer/users/tests/keydelaypage_test.cpp
    LIBS kf_results kf_testsupport
    LABELS core)

# kf_add_test(NAME name SOURCES ... LIBS ... [LABELS ...] [ENV ...] [QT])
# One GoogleTest executable per class or behaviour group, registered case by case. QT makes it
# a widget test: its main() creates a QApplication on the offscreen platform.
function(kf_add_test)
    if(NOT KF_TESTS)
        return()
    endif()
    cmake_parse_arguments(T "QT" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    if(T_QT)
        target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} kf_qtest_main GTest::gtest GTest::gmock)
    else()
        target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    endif()
    target_compile_definitions(${T_NAME} PRIVATE
        KF_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        KF_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
        KF_STAGE_DIR="${KF_STAGE_DIR}"
        KF_BINARY_DIR="${CMAKE_BINARY_DIR}")
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    set(env QT_QPA_PLATFORM=offscreen ${T_ENV})
    gtest_discover_tests(${T_NAME}
        DISCOVERY_MODE PRE_TEST
        PROPERTIES LABELS "${T_LABELS}" TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${env}")
endfunction()

# kf_add_fuzzer(NAME name SOURCES ... LIBS ...)
# A libFuzzer target, built only in the fuzzing configuration.
function(kf_add_fuzzer)
    if(NOT KF_FUZZ)
        return()
    endif()
    cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${F_NAME} ${F_SOURCES})
    target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
    set_target_properties(${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    set_property(GLOBAL APPEND PROPERTY KF_FUZZERS ${F_NAME})
endfunction()

# kf_add_benchmark(NAME name SOURCES ... LIBS ...)
# Benchmarks print figures; they are never part of the test run.
function(kf_add_benchmark)
    if(NOT KF_BENCHMARKS)
        return()
    endif()
    cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${B_NAME} ${B_SOURCES})
    target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
    target_compile_definitions(${B_NAME} PRIVATE
        KF_SOURCE_DIR="${CMAKE_SOURCE_DIR}" KF_STAGE_DIR="${KF_STAGE_DIR}"
        KF_BINARY_DIR="${CMAKE_BINARY_DIR}")
    set_target_properties(${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# Conversion benchmark: whole-process quorva-convert against dd writing the
# same number of bytes (with the same final fsync), in one hyperfine run,
# for recordings of 32,000 and 1,000,000 samples. Run: cmake --build <dir>
# --target bench_conversion (configure with -DQUORVA_BENCH=ON, Release).
add_executable(quorva_generer_wav ${CMAKE_CURRENT_LIST_DIR}/generer_wav.cpp)
target_include_directories(quorva_generer_wav PRIVATE ${PROJECT_SOURCE_DIR})
add_custom_target(bench_conversion
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/conversion.sh $<TARGET_FILE:quorva-convert>
            $<TARGET_FILE:quorva_generer_wav> ${PROJECT_SOURCE_DIR}/data ${CMAKE_CURRENT_BINARY_DIR}/conversion
    DEPENDS quorva-convert quorva_generer_wav
    USES_TERMINAL)

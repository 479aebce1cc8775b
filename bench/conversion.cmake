# Conversion benchmarks. bench_conversion runs both: whole-process
# quorva-convert against dd writing the same number of bytes with the same
# final fsync (alternating runs, medians, peak memory), for recordings of
# 32,000 and 1,000,000 samples; then recordings of 100,000 and 1,000,000
# samples kept whole through both passes with a progress callback. Run:
# cmake --build <dir> --target bench_conversion (configure with
# -DQUORVA_BENCH=ON, Release).
add_executable(quorva_generer_wav ${CMAKE_CURRENT_LIST_DIR}/generer_wav.cpp)
target_include_directories(quorva_generer_wav PRIVATE ${PROJECT_SOURCE_DIR})
add_executable(bench_conversion_entiere ${CMAKE_CURRENT_LIST_DIR}/conversion_entiere.cpp)
target_link_libraries(bench_conversion_entiere PRIVATE quorva_core quorva_platform)
add_custom_target(bench_conversion
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/conversion.sh $<TARGET_FILE:quorva-convert>
            $<TARGET_FILE:quorva_generer_wav> ${PROJECT_SOURCE_DIR}/data ${CMAKE_CURRENT_BINARY_DIR}/conversion
    COMMAND $<TARGET_FILE:bench_conversion_entiere> ${PROJECT_SOURCE_DIR}/data ${CMAKE_CURRENT_BINARY_DIR}/conversion
    DEPENDS quorva-convert quorva_generer_wav bench_conversion_entiere
    USES_TERMINAL)

# The pupil's report against the conversion of the same recording
# (bench/rapport.sh): cmake --build <dir> --target bench_rapport.
if(TARGET quorva-rapport)
    add_custom_target(bench_rapport
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/rapport.sh $<TARGET_FILE:quorva-convert>
                $<TARGET_FILE:quorva_generer_wav> ${PROJECT_SOURCE_DIR}/data ${CMAKE_CURRENT_BINARY_DIR}/rapport
        DEPENDS quorva-convert quorva-rapport quorva_generer_wav
        USES_TERMINAL)
endif()

# The class summary of 40 recordings against converting them
# (bench/synthese.sh): cmake --build <dir> --target bench_synthese.
if(TARGET quorva-rapport)
    add_custom_target(bench_synthese
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/synthese.sh $<TARGET_FILE:quorva-convert>
                $<TARGET_FILE:quorva_generer_wav> ${PROJECT_SOURCE_DIR}/data ${CMAKE_CURRENT_BINARY_DIR}/synthese
        DEPENDS quorva-convert quorva-rapport quorva_generer_wav
        USES_TERMINAL)
endif()

# The whole road of one recording through the real program, driven as a
# user would; its screenshots stay in the build folder as test artefacts.
if(NOT WIN32 AND TARGET quorva)
    add_test(NAME e2e.route_conversion
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/route_conversion.sh $<TARGET_FILE:quorva>
                ${PROJECT_SOURCE_DIR}/data/fic_quorva/TP/TP_patin_tracte/patin_tracte_demo.wav
                ${CMAKE_BINARY_DIR}/e2e-artefacts)
    set_tests_properties(e2e.route_conversion PROPERTIES LABELS e2e TIMEOUT 120)
endif()

# The pupil's report through the real program: the clipboard's image and
# "Save the report..." against quorva-convert --report.
if(NOT WIN32 AND TARGET quorva AND TARGET quorva-convert AND TARGET quorva-rapport)
    add_test(NAME e2e.rapport
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/rapport.sh $<TARGET_FILE:quorva> $<TARGET_FILE:quorva-convert>
                ${PROJECT_SOURCE_DIR}/data/fic_quorva/TP/TP_patin_tracte/patin_tracte_demo.wav
                ${CMAKE_BINARY_DIR}/e2e-artefacts)
    set_tests_properties(e2e.rapport PROPERTIES LABELS e2e TIMEOUT 120)
endif()

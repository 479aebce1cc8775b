# The chart driven with the keyboard alone through the real program: a mark
# moved, the move undone and redone, OK; the saved marks file is checked.
if(NOT WIN32 AND TARGET quorva AND TARGET quorva-convert)
    add_test(NAME e2e.chart_clavier
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/chart_clavier.sh $<TARGET_FILE:quorva> $<TARGET_FILE:quorva-convert>
                ${PROJECT_SOURCE_DIR}/data/fic_quorva/TP/TP_patin_tracte/patin_tracte_demo.wav
                ${CMAKE_BINARY_DIR}/e2e-artefacts)
    set_tests_properties(e2e.chart_clavier PROPERTIES LABELS e2e TIMEOUT 120)
endif()

# Every window whole on the screen at a display scaling, through the real
# program: 150 % on 1920 x 1080 (1280 x 720 of the program's pixels), 200 %
# on the same screen (960 x 540: the chart narrows), and 150 % on 1366 x 768
# (910.67: the toolkit's rounding must not push a window one pixel past the
# screen). Screenshots in e2e-artefacts.
if(NOT WIN32 AND TARGET quorva)
    foreach(cas "150;1.5;1920x1080x24" "200;2;1920x1080x24" "1366_150;1.5;1366x768x24")
        list(GET cas 0 nom)
        list(GET cas 1 echelle)
        list(GET cas 2 ecran)
        add_test(NAME e2e.fenetres_ecran_${nom}
            COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/fenetres_ecran.sh $<TARGET_FILE:quorva>
                    ${PROJECT_SOURCE_DIR}/data/fic_quorva/TP/TP_patin_tracte/patin_tracte_demo.wav
                    ${CMAKE_BINARY_DIR}/e2e-artefacts ${ecran} ${echelle})
        set_tests_properties(e2e.fenetres_ecran_${nom} PROPERTIES LABELS e2e TIMEOUT 120)
    endforeach()
endif()

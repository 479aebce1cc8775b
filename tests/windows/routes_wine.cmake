# The roads of quorva.exe under Wine beyond the toolbar and the conversion
# entry: each with Wine's X11 driver on a private Xvfb with openbox, in the
# prefix of the other X11 tests, one at a time. Included by
# tests/windows/CMakeLists.txt after the X11 fixtures.

# The stand-in Audacity (fic_quorva\audacity\audacity.exe in a copy of the
# portable folder): the stick-slip entry's whole road to the workbook,
# compared with the Linux quorva-convert, from an ordinary program folder
# and from one of 300 characters; the wave-speed entry's settings.
add_executable(audacity_remplacant audacity_remplacant.cpp)
foreach(entree patin long vitesse)
    add_test(NAME windows.e2e.audacity.${entree}
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/audacity_wine.sh ${entree} ${CMAKE_BINARY_DIR}/Quorva
                $<TARGET_FILE:audacity_remplacant> $<TARGET_FILE:quorva_win32_tests> ${QUORVA_CONVERT_LINUX}
                ${demo} ${artefacts})
    set_tests_properties(windows.e2e.audacity.${entree} PROPERTIES
        FIXTURES_REQUIRED "wine_x11;paquet" RESOURCE_LOCK wine_x11 LABELS "e2e;windows" TIMEOUT 300
        SKIP_RETURN_CODE 77 ENVIRONMENT "${environnement_x11}")
endforeach()

# The language flag's round trip (the preference in the prefix's %TEMP%),
# then the chart driven by the keyboard alone.
add_test(NAME windows.e2e.clavier_langue
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/clavier_langue_wine.sh ${quorva_paquet} ${CMAKE_BINARY_DIR}/Quorva/quorva-convert.exe
            $<TARGET_FILE:quorva_win32_tests> ${demo} ${artefacts})
# A section window's row opening its document through a file type of the
# prefix.
add_test(NAME windows.e2e.section
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/section_wine.sh ${CMAKE_BINARY_DIR}/Quorva $<TARGET_FILE:quorva_win32_tests>
            ${artefacts})
set_tests_properties(windows.e2e.clavier_langue windows.e2e.section PROPERTIES
    FIXTURES_REQUIRED "wine_x11;paquet" RESOURCE_LOCK wine_x11 LABELS "e2e;windows" TIMEOUT 300
    ENVIRONMENT "${environnement_x11}")

# Names beyond Western European letters (Łukasz, Nguyễn, 学生): a recording's
# folder and name for quorva-convert.exe, then the program folder, %TEMP%
# and an export on the Audacity road.
add_test(NAME windows.e2e.noms
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/noms_wine.sh $<TARGET_FILE:quorva-convert> ${QUORVA_CONVERT_LINUX}
            ${CMAKE_BINARY_DIR}/Quorva $<TARGET_FILE:audacity_remplacant> $<TARGET_FILE:quorva_win32_tests>
            ${demo} ${artefacts})
set_tests_properties(windows.e2e.noms PROPERTIES
    FIXTURES_REQUIRED "wine_x11;paquet" RESOURCE_LOCK wine_x11 LABELS "e2e;windows" TIMEOUT 600
    SKIP_RETURN_CODE 77 ENVIRONMENT "${environnement_x11}")

# Two machines (two prefixes made from the X11 tests' one, two screens)
# running one copy from a network share: each records into its own folder.
add_test(NAME windows.e2e.partage
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/partage_wine.sh ${CMAKE_BINARY_DIR}/Quorva $<TARGET_FILE:audacity_remplacant>
            $<TARGET_FILE:quorva_win32_tests> ${demo} ${artefacts})
set_tests_properties(windows.e2e.partage PROPERTIES
    FIXTURES_REQUIRED "wine_x11;paquet" RESOURCE_LOCK wine_x11 LABELS "e2e;windows" TIMEOUT 300
    ENVIRONMENT "${environnement_x11}")

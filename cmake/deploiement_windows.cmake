# Windows: the program folder a teacher copies to a workstation or a USB key
# (docs/WINDOWS.md). `cmake --install <build> --config Release --prefix <folder>`
# fills it:
#   <folder>\quorva.exe, quorva-convert.exe, quorva-rapport.exe
#   <folder>\LISEZMOI.txt, README.txt            (the teacher's guide, French and English)
#   <folder>\fic_quorva\                          (the data folder)
# and, with a shared Qt (the official Qt's kits):
#   <folder>\Qt6*.dll, platforms\, styles\, ...   (windeployqt)
#   <folder>\ the compiler's runtime DLLs
# With a static Qt (the cross build's, scripts/qt-windows) the two programs
# stand alone. The program finds its data folder beside itself, from its
# command line.
#
# The target `package` makes that folder as build/Quorva/ and its zip,
# build/Quorva-<version>-windows.zip. The version is project()'s.
#
# The top of the folder holds only what a newer version replaces (the
# programs and the guides); everything of the teacher's and the pupils' is
# under fic_quorva\, which an update keeps.

# The programs sit straight in the build folder, beside the copy of
# fic_quorva, whatever the generator: Visual Studio would otherwise put them
# in a Debug\ or Release\ folder where they would not find their data.
# quorva-rapport draws the reports of quorva-convert --report (beside it).
set_target_properties(quorva quorva-convert quorva-rapport PROPERTIES RUNTIME_OUTPUT_DIRECTORY "$<1:${PROJECT_BINARY_DIR}>")

install(TARGETS quorva quorva-convert quorva-rapport RUNTIME DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/fic_quorva/ DESTINATION fic_quorva)
# The folders where the guides tell teachers to put their PDF files and
# films: empty (git keeps no empty folder), an empty one adds nothing to
# the menu.
install(DIRECTORY DESTINATION fic_quorva/pdf_ajoutes)
install(DIRECTORY DESTINATION fic_quorva/films_ajoutes)

# The teacher's guides, for Notepad (cp1252, CR LF), with the version.
include(${CMAKE_CURRENT_LIST_DIR}/texte_windows.cmake)
# Their first title names the version: its underline ends with one "=" per
# character of the version (@QUORVA_SOULIGNE_VERSION@).
string(LENGTH "${PROJECT_VERSION}" longueur_version)
string(REPEAT "=" ${longueur_version} QUORVA_SOULIGNE_VERSION)
foreach(guide LISEZMOI README)
    quorva_texte_windows(${PROJECT_SOURCE_DIR}/docs/guide/${guide}.txt.in ${PROJECT_BINARY_DIR}/guide/${guide}.txt)
    install(FILES ${PROJECT_BINARY_DIR}/guide/${guide}.txt DESTINATION .)
endforeach()

set(QUORVA_DOSSIER_PAQUET ${PROJECT_BINARY_DIR}/Quorva)
set(QUORVA_ZIP_PAQUET ${PROJECT_BINARY_DIR}/Quorva-${PROJECT_VERSION}-windows.zip)
add_custom_target(package
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${QUORVA_DOSSIER_PAQUET} ${QUORVA_ZIP_PAQUET}
    COMMAND ${CMAKE_COMMAND} --install ${PROJECT_BINARY_DIR} --config $<CONFIG> --prefix ${QUORVA_DOSSIER_PAQUET} --strip
    COMMAND ${CMAKE_COMMAND} -E tar cf ${QUORVA_ZIP_PAQUET} --format=zip Quorva
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    COMMENT "Quorva/ and Quorva-${PROJECT_VERSION}-windows.zip"
    VERBATIM)
add_dependencies(package quorva quorva-convert quorva-rapport)

get_target_property(type_qt Qt6::Core TYPE)
if(type_qt STREQUAL "STATIC_LIBRARY")
    # A static Qt: its Windows platform plugin and the native style linked
    # into quorva.exe (the Windows and Fusion styles are part of Qt Widgets);
    # no image format plugin is needed. With MinGW the C++, gcc and threads
    # runtimes are linked in too, so that each program stands alone (the
    # cross build's toolchain file asks for it already; a native MinGW build
    # would not).
    qt_import_plugins(quorva
        INCLUDE Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin
        EXCLUDE_BY_TYPE imageformats)
    qt_import_plugins(quorva-rapport INCLUDE Qt6::QWindowsIntegrationPlugin EXCLUDE_BY_TYPE imageformats styles)
    if(MINGW)
        target_link_options(quorva PRIVATE -static)
        target_link_options(quorva-convert PRIVATE -static)
        target_link_options(quorva-rapport PRIVATE -static)
    endif()
    return()
endif()

# The C++ runtime beside the program, so that it starts on a workstation
# without the Visual C++ redistributable (MSVC; with MinGW windeployqt copies
# its runtime DLLs).
set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION .)
set(CMAKE_INSTALL_UCRT_LIBRARIES ON)
include(InstallRequiredSystemLibraries)

# windeployqt copies the Qt DLLs and plugins that quorva.exe needs beside it.
if(TARGET Qt6::windeployqt)
    set(QUORVA_WINDEPLOYQT "$<TARGET_FILE:Qt6::windeployqt>")
else()
    find_program(QUORVA_WINDEPLOYQT windeployqt
                 HINTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}" "${Qt6_DIR}/../../../bin")
endif()
if(NOT QUORVA_WINDEPLOYQT)
    message(WARNING "windeployqt not found: `cmake --install` will not copy the Qt DLLs")
    return()
endif()
set(options_deploiement --no-translations --no-system-d3d-compiler --no-opengl-sw)
if(MINGW)
    list(APPEND options_deploiement --compiler-runtime)
endif()
list(JOIN options_deploiement " " options_deploiement)
install(CODE "
    execute_process(
        COMMAND \"${QUORVA_WINDEPLOYQT}\" ${options_deploiement}
                --dir \"\${CMAKE_INSTALL_PREFIX}\" \"\${CMAKE_INSTALL_PREFIX}/quorva.exe\"
        RESULT_VARIABLE resultat)
    if(NOT resultat EQUAL 0)
        message(FATAL_ERROR \"windeployqt failed (\${resultat})\")
    endif()
")

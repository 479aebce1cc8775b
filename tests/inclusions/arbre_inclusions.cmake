# The include check's tests (tests/inclusions/CMakeLists.txt), -DARBRE=<folder> and -DACTION=
#   preparer: writes the tree below into <folder>/src and configures it;
#   construire: CIBLE must build, or fail saying ATTENDU;
#   modifier: CIBLE builds, then builds again without checking; once LIGNE is
#     added to FICHIER, the build checks again and fails saying ATTENDU.
cmake_minimum_required(VERSION 3.25)

# The tree: socle and voisin, each with a window, then one module per case
# (<module>|<declaration>, then its files; the offending include on line 1,
# but in commentaire, where it is on lines 1 and 3).
set(modules
    "socle|SOURCES socle.cpp WINDOWS fenetre_socle.cpp"
    "voisin|SOURCES voisin.cpp WINDOWS fenetre_voisin.cpp"
    "legal|DEPENDS socle SOURCES legal.cpp WINDOWS fenetre_legal.cpp"
    "relative|DEPENDS socle SOURCES relative.cpp"
    "racine|DEPENDS socle SOURCES racine.cpp"
    "qt|DEPENDS socle SOURCES qt.cpp"
    "fenetre|DEPENDS socle SOURCES fenetre_simple.cpp WINDOWS fenetre.cpp"
    "simple_fenetre|DEPENDS socle SOURCES simple_fenetre.cpp"
    "programme|DEPENDS socle SOURCES programme.cpp)\nadd_executable(outil outil.cpp"
    "modifie|DEPENDS socle SOURCES modifie.cpp"
    "sous_dossier|DEPENDS socle SOURCES sous_dossier.cpp"
    "qt_module|DEPENDS socle SOURCES qt_module.cpp"
    "commentaire|DEPENDS socle SOURCES commentaire.cpp"
    "barres|DEPENDS socle SOURCES barres.cpp")
function(ecrit fichier texte)
    file(WRITE ${ARBRE}/src/${fichier} "${texte}\n")
endfunction()
function(ecrit_arbre)
    string(CONCAT racine "cmake_minimum_required(VERSION 3.25)\nproject(arbre LANGUAGES CXX)\n"
               "set(QUORVA_CORE_ONLY ON)\nadd_library(quorva_core INTERFACE)\ninclude(${MODULES_CMAKE})\n")
    foreach(module IN LISTS modules)
        string(REGEX MATCH "^([^|]*)\\|(.*)$" ignore "${module}")
        ecrit(${CMAKE_MATCH_1}/CMakeLists.txt "quorva_module(NAME ${CMAKE_MATCH_1} ${CMAKE_MATCH_2})")
        string(APPEND racine "add_subdirectory(${CMAKE_MATCH_1})\n")
    endforeach()
    ecrit(CMakeLists.txt "${racine}quorva_ecrire_modules()")
    foreach(m socle voisin)
        ecrit(${m}/${m}.h "#pragma once\ninline int ${m}() { return 1; }")
        ecrit(${m}/${m}.cpp "#include \"${m}/${m}.h\"")
        ecrit(${m}/fenetre_${m}.h "#include <QWidget>")
        ecrit(${m}/fenetre_${m}.cpp "#include \"${m}/fenetre_${m}.h\"")
    endforeach()
    # Every way of naming its own folder or a declared one, and the window part's Qt.
    ecrit(legal/legal.cpp "#include \"./local.h\"\n#include \"local.h\"\n#include \"legal/local.h\"
#include \"../socle/socle.h\"\n#include <socle/socle.h>\n#include <vector>")
    ecrit(legal/local.h "#pragma once")
    ecrit(legal/fenetre_legal.h "#include <QtWidgets/QLabel>\n#include \"../socle/fenetre_socle.h\"")
    ecrit(legal/fenetre_legal.cpp "#include \"fenetre_legal.h\"\n#include \"socle/fenetre_socle.h\"\n#include \"legal/local.h\"")
    ecrit(relative/relative.cpp "#include \"../voisin/voisin.h\"")
    ecrit(racine/racine.cpp "#include <voisin/voisin.h>")
    ecrit(qt/qt.h "#include <QtCore/QString>")
    ecrit(qt/qt.cpp "#include \"qt/qt.h\"")
    ecrit(fenetre/fenetre.cpp "#include \"voisin/fenetre_voisin.h\"")
    ecrit(fenetre/fenetre_simple.cpp "int fenetre_simple() { return 0; }")
    ecrit(simple_fenetre/simple_fenetre.cpp "#include \"socle/fenetre_socle.h\"")
    # A program of the folder that links nothing of its module.
    ecrit(programme/outil.cpp "#include \"voisin/voisin.h\"\nint main() { return voisin(); }")
    ecrit(programme/programme.cpp "int programme() { return 0; }")
    ecrit(modifie/modifie.h "#include \"socle/socle.h\"")
    ecrit(modifie/modifie.cpp "#include \"modifie/modifie.h\"")
    ecrit(sous_dossier/sous_dossier.cpp "int sous_dossier() { return 0; }")
    ecrit(sous_dossier/sous/x.h "#include \"../../voisin/voisin.h\"")
    ecrit(qt_module/qt_module.cpp "#include <QtWidgets>")
    ecrit(barres/barres.cpp "#include \"..\\voisin\\voisin.h\"")
    ecrit(commentaire/commentaire.cpp "/* a */ #include \"../voisin/voisin.h\"\nint x;\n/* b */ #include \"../voisin/voisin.h\"")
endfunction()

function(construit attendu)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${ARBRE}/build --target ${CIBLE}
                    RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie ERROR_VARIABLE sortie)
    set(sortie "${sortie}" PARENT_SCOPE)
    string(FIND "${sortie}" "${attendu}" position)
    if(attendu STREQUAL "" AND NOT resultat EQUAL 0)
        message(FATAL_ERROR "${CIBLE} should build:\n${sortie}")
    elseif(NOT attendu STREQUAL "" AND (resultat EQUAL 0 OR position EQUAL -1))
        message(FATAL_ERROR "${CIBLE} should stop on: ${attendu}\n${sortie}")
    endif()
endfunction()

if(ACTION STREQUAL "preparer")
    file(REMOVE_RECURSE ${ARBRE})
    ecrit_arbre()
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${ARBRE}/src -B ${ARBRE}/build -G ${GENERATEUR}
                            -DCMAKE_CXX_COMPILER=${COMPILATEUR}
                    RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie ERROR_VARIABLE sortie)
    if(NOT resultat EQUAL 0)
        message(FATAL_ERROR "The tree does not configure:\n${sortie}")
    endif()
elseif(ACTION STREQUAL "construire")
    construit("${ATTENDU}")
elseif(ACTION STREQUAL "modifier")
    construit("")
    construit("")
    if(sortie MATCHES "Checking the includes")
        message(FATAL_ERROR "Nothing changed, yet the check ran again:\n${sortie}")
    endif()
    file(APPEND ${ARBRE}/src/${FICHIER} "${LIGNE}\n")
    construit("${ATTENDU}")
endif()

# The include check, a step of the build (cmake/modules.cmake runs it once per
# module, before the module's libraries and programs are compiled):
#
#   cmake -DSOURCES=<project folder> -DTABLE=<build>/modules_inclusions.cmake
#         [-DMODULE=<folder>] [-DTEMOIN=<stamp>] [-DDEPFILE=<depfile>] -P verifie_inclusions.cmake
#
# Without MODULE, every module of the table is checked.
#
# Every file of a module (its sources, its programs' sources, every source
# and header of its folder's tree but the subfolders that are modules of
# their own) may include headers of its own folder and of the folders its
# module declares, nothing else of the project. An include is resolved as the
# compiler does it: `"x/y.h"` from the including file's folder first
# (`"../x/y.h"`, `"./y.h"`, `"y.h"`), then from the project folder, which is
# on the include path; `<x/y.h>` from the project folder only. A header that
# resolves to no file of the project (the system's, Qt's, generated ones) is
# not a module's business, except Qt's in the plain part.
#
# The plain part of a module (its SOURCES and the headers that are not
# window headers) never includes a Qt header, nor a window header of any
# folder: those need Qt. Window headers are the headers listed in WINDOWS and
# the headers named after a WINDOWS source (TForm2.h beside TForm2.cpp). The
# window part may include the window headers of its declared folders, whose
# Qt libraries it links.
#
# Lists each offending line as <file>:<line>: and fails when there is one;
# otherwise touches TEMOIN and writes DEPFILE (the files read), so that the
# build runs the check again only when one of them changes.
cmake_minimum_required(VERSION 3.25)

include(${TABLE})
if(DEFINED MODULE)
    set(a_verifier ${MODULE})
else()
    set(a_verifier ${quorva_modules})
endif()

# <QWidget>, <QtWidgets/QWidget>, <QtWidgets>, <qwidget.h>: Qt's headers.
set(motif_qt "^(Qt[A-Za-z]*/.+|Qt[A-Z][A-Za-z0-9]*|Q[A-Z][A-Za-z0-9]*|q[a-z0-9_]+\\.h)$")
# An include, also after comments on its line ("/* c */ #include <x>"), as
# the compiler reads it.
set(commentaire "/\\*([^*]|\\*+[^*/])*\\*+/")
set(motif_inclusion "^[ \t]*(${commentaire}[ \t]*)*#[ \t]*include[ \t]*([<\"])([^>\"]*)[>\"]")
set(extensions "\\.(h|hh|hpp|hxx|c|cc|cpp|cxx)$")
set(exceptions_qt quadmath.h)

# The module that holds a file of the project: the nearest folder above it
# that is a module ("" for the tests, the benchmarks...).
function(proprietaire fichier resultat)
    get_filename_component(dossier "${fichier}" DIRECTORY)
    while(NOT dossier STREQUAL "")
        if(dossier IN_LIST quorva_modules)
            set(${resultat} "${dossier}" PARENT_SCOPE)
            return()
        endif()
        get_filename_component(dossier "${dossier}" DIRECTORY)
    endwhile()
    set(${resultat} "" PARENT_SCOPE)
endfunction()

function(est_fenetre fichier module resultat)
    set(${resultat} FALSE PARENT_SCOPE)
    if(fichier IN_LIST quorva_fenetres_${module})
        set(${resultat} TRUE PARENT_SCOPE)
    elseif(fichier MATCHES "\\.(h|hh|hpp|hxx)$")
        string(REGEX REPLACE "\\.[^./]*$" "" tronc "${fichier}")
        foreach(fenetre IN LISTS quorva_fenetres_${module})
            string(REGEX REPLACE "\\.[^./]*$" "" tronc_fenetre "${fenetre}")
            if(tronc STREQUAL tronc_fenetre)
                set(${resultat} TRUE PARENT_SCOPE)
                return()
            endif()
        endforeach()
    endif()
endfunction()

# The project file that an include names, relative to the project folder, or
# "" when it names none.
function(resout fichier delimiteur entete resultat)
    set(candidats "")
    if(delimiteur STREQUAL "\"")
        get_filename_component(dossier "${SOURCES}/${fichier}" DIRECTORY)
        list(APPEND candidats "${dossier}")
    endif()
    list(APPEND candidats "${SOURCES}")
    foreach(base IN LISTS candidats)
        get_filename_component(chemin "${entete}" ABSOLUTE BASE_DIR "${base}")
        if(EXISTS "${chemin}" AND NOT IS_DIRECTORY "${chemin}")
            file(RELATIVE_PATH relatif "${SOURCES}" "${chemin}")
            if(relatif MATCHES "^\\.\\./" OR IS_ABSOLUTE "${relatif}")
                set(relatif "")
            endif()
            set(${resultat} "${relatif}" PARENT_SCOPE)
            return()
        endif()
    endforeach()
    set(${resultat} "" PARENT_SCOPE)
endfunction()

set(fautes 0)
set(lus "")
foreach(module IN LISTS a_verifier)
    set(permis ${module} ${quorva_permis_${module}})
    # Every source and header of the folder's tree as it is now (its
    # subfolders too, but not those that are modules of their own), beside
    # the listed sources: a file added since the last configuration is
    # checked too, and its folder is read so that the next one is.
    file(GLOB_RECURSE arbre LIST_DIRECTORIES true RELATIVE "${SOURCES}" "${SOURCES}/${module}/*")
    set(fichiers ${quorva_simples_${module}} ${quorva_fenetres_${module}})
    list(APPEND lus "${SOURCES}/${module}")
    foreach(chemin IN LISTS arbre)
        proprietaire("${chemin}/x" dossier_chemin)
        if(NOT dossier_chemin STREQUAL module)
            continue()
        elseif(IS_DIRECTORY "${SOURCES}/${chemin}")
            list(APPEND lus "${SOURCES}/${chemin}")
        elseif(chemin MATCHES "${extensions}")
            # A build without Qt leaves every source the table does not list
            # (the programs' own: main.cpp, quorva_convert.cpp, the report
            # program's) to the build with Qt, which checks them all: some
            # are compiled by no target without Qt.
            if(quorva_sans_qt AND NOT chemin MATCHES "\\.(h|hh|hpp|hxx)$")
                continue()
            endif()
            list(APPEND fichiers "${chemin}")
        endif()
    endforeach()
    list(REMOVE_DUPLICATES fichiers)
    foreach(fichier IN LISTS fichiers)
        if(NOT EXISTS "${SOURCES}/${fichier}")
            continue()
        endif()
        list(APPEND lus "${SOURCES}/${fichier}")
        est_fenetre("${fichier}" "${module}" fenetre)
        if(fenetre)
            set(partie "window part")
        else()
            set(partie "plain part")
        endif()
        file(READ "${SOURCES}/${fichier}" contenu)
        if(NOT contenu MATCHES "#[ \t]*include")
            continue()
        endif()
        # One list element per line, whatever the line holds (";" and "["
        # would cut or join elements; no include name needs them). A "\"
        # separates an include's folders as "/" does for the compilers of
        # Windows: it is checked as one.
        string(REGEX REPLACE "[][;]" "_" contenu "${contenu}")
        string(REPLACE "\\" "/" contenu "${contenu}")
        string(REPLACE "\r" "" contenu "${contenu}")
        string(REPLACE "\n" ";" lignes "${contenu}")
        set(numero 0)
        foreach(inclusion IN LISTS lignes)
            math(EXPR numero "${numero} + 1")
            if(NOT inclusion MATCHES "${motif_inclusion}")
                continue()
            endif()
            set(delimiteur "${CMAKE_MATCH_3}")
            set(entete "${CMAKE_MATCH_4}")
            if(delimiteur STREQUAL "<")
                set(ecrit "<${entete}>")
            else()
                set(ecrit "\"${entete}\"")
            endif()
            resout("${fichier}" "${delimiteur}" "${entete}" cible)
            set(faute "")
            if(cible STREQUAL "")
                if(NOT fenetre AND entete MATCHES "${motif_qt}" AND NOT entete IN_LIST exceptions_qt)
                    set(faute "includes ${ecrit}, a Qt header, in the plain part of ${module}")
                endif()
            else()
                proprietaire("${cible}" dossier_cible)
                if(dossier_cible STREQUAL "")
                    # The tests' and benchmarks' own files.
                elseif(NOT dossier_cible IN_LIST permis)
                    set(faute "includes ${ecrit} (${cible}), but ${module} does not declare ${dossier_cible}")
                else()
                    est_fenetre("${cible}" "${dossier_cible}" fenetre_cible)
                    if(fenetre_cible AND NOT fenetre)
                        set(faute "includes ${ecrit}, a window header, in the plain part of ${module}")
                    endif()
                endif()
            endif()
            if(faute)
                message("${fichier}:${numero}: ${faute}")
                math(EXPR fautes "${fautes} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()

if(fautes GREATER 0)
    message(FATAL_ERROR "${fautes} include(s) cross the module boundaries (docs/ARCHITECTURE.md)")
endif()
if(DEFINED DEPFILE)
    # Make's rules: "$$" for "$", "\#" for "#", "\ " for a blank.
    set(texte "")
    foreach(fichier IN LISTS TEMOIN lus)
        string(REPLACE "$" "$$" fichier "${fichier}")
        string(REPLACE "#" "\\#" fichier "${fichier}")
        string(REPLACE " " "\\ " fichier "${fichier}")
        if(texte STREQUAL "")
            set(texte "${fichier}:")
        else()
            string(APPEND texte " \\\n  ${fichier}")
        endif()
    endforeach()
    file(WRITE "${DEPFILE}" "${texte}\n")
endif()
if(DEFINED TEMOIN)
    file(TOUCH "${TEMOIN}")
endif()

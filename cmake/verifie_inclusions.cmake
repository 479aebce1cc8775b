# The include check: cmake -DSOURCES=<project folder> -DMODULES=<modules.txt> -P verifie_inclusions.cmake
#
# Every source file of a module folder (not its subfolders: those are modules
# of their own) may include headers of its own folder and of the folders its
# module declares (cmake/modules.cmake), and nothing else of the project.
# Lists each offending line and fails when there is one.
file(STRINGS ${MODULES} lignes)
set(dossiers "")
foreach(ligne IN LISTS lignes)
    string(REGEX REPLACE ":.*" "" dossier "${ligne}")
    list(APPEND dossiers ${dossier})
endforeach()

set(fautes 0)
foreach(ligne IN LISTS lignes)
    string(REGEX REPLACE ":.*" "" dossier "${ligne}")
    string(REGEX REPLACE "^[^:]*: *" "" permis "${ligne}")
    separate_arguments(permis)
    list(APPEND permis ${dossier})
    file(GLOB fichiers ${SOURCES}/${dossier}/*.h ${SOURCES}/${dossier}/*.cpp)
    foreach(fichier IN LISTS fichiers)
        file(STRINGS ${fichier} inclusions REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
        foreach(inclusion IN LISTS inclusions)
            string(REGEX REPLACE ".*include[ \t]*\"([^\"]*)\".*" "\\1" entete "${inclusion}")
            get_filename_component(dossier_entete "${entete}" DIRECTORY)
            # Headers of other trees (tests, bench) and system headers
            # written with quotes are not the modules' business.
            list(FIND dossiers "${dossier_entete}" connu)
            if(connu EQUAL -1)
                continue()
            endif()
            list(FIND permis "${dossier_entete}" permis_ici)
            if(permis_ici EQUAL -1)
                file(RELATIVE_PATH nom ${SOURCES} ${fichier})
                message("${nom}: includes \"${entete}\", but ${dossier} does not declare ${dossier_entete}")
                math(EXPR fautes "${fautes} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()
if(fautes GREATER 0)
    message(FATAL_ERROR "${fautes} include(s) of undeclared folders")
endif()
message("Every include stays within the declared folders")

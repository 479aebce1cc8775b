# One library per source folder, with the folders it may use declared.
#
#   quorva_module(NAME <name> [DEPENDS <module>...] [SOURCES <file>...] [WINDOWS <file>...])
#
# makes quorva_<name> from SOURCES (plain C++, no Qt) and, unless only the
# core is built, quorva_<name>_qt from WINDOWS (the folder's Qt windows),
# which links the module and the Qt libraries of the modules it depends on
# (a folder without windows has no Qt library).
# A module may only depend on modules declared before it: folders are added
# from the bottom layer up, so the graph of folders has no cycle.
#
# The build enforces the boundaries (cmake/verifie_inclusions.cmake): once
# every module is declared, quorva_ecrire_modules() writes the table of
# modules (modules_inclusions.cmake in the build folder) and gives each
# module a check that its libraries and the other programs of its folder wait
# for. A file that includes a header of a folder its module does not declare,
# or a plain file that includes a Qt header or a window header, stops the
# build before the module is compiled. The check runs again only when a file
# it read, the table or the script changes.

set(QUORVA_VERIFIE_INCLUSIONS ${CMAKE_CURRENT_LIST_DIR}/verifie_inclusions.cmake)

# Files of a folder, relative to the project folder, for the table.
function(quorva_relatifs dossier_source resultat)
    set(relatifs "")
    foreach(fichier IN LISTS ARGN)
        if(fichier MATCHES "\\$<")
            continue()
        endif()
        get_filename_component(fichier "${fichier}" ABSOLUTE BASE_DIR "${dossier_source}")
        file(RELATIVE_PATH fichier "${PROJECT_SOURCE_DIR}" "${fichier}")
        list(APPEND relatifs "${fichier}")
    endforeach()
    set(${resultat} "${relatifs}" PARENT_SCOPE)
endfunction()

function(quorva_module)
    cmake_parse_arguments(M "" "NAME" "DEPENDS;SOURCES;WINDOWS" ${ARGN})
    file(RELATIVE_PATH dossier ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    set(dossiers_permis "")
    foreach(dep IN LISTS M_DEPENDS)
        if(NOT TARGET quorva_${dep})
            message(FATAL_ERROR "Module ${M_NAME} (${dossier}) depends on ${dep}, which is not declared below it")
        endif()
        get_target_property(dossier_dep quorva_${dep} QUORVA_DOSSIER)
        list(APPEND dossiers_permis ${dossier_dep})
    endforeach()

    add_library(quorva_${M_NAME} STATIC ${M_SOURCES})
    target_include_directories(quorva_${M_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
    foreach(dep IN LISTS M_DEPENDS)
        target_link_libraries(quorva_${M_NAME} PUBLIC quorva_${dep})
    endforeach()
    # The window sources are known even where only the core is built: the
    # check covers them all the same.
    quorva_relatifs(${CMAKE_CURRENT_SOURCE_DIR} fenetres ${M_WINDOWS})
    set_target_properties(quorva_${M_NAME} PROPERTIES
        QUORVA_DOSSIER "${dossier}" QUORVA_PERMIS "${dossiers_permis}" QUORVA_FENETRES "${fenetres}")
    set_property(TARGET quorva_core APPEND PROPERTY INTERFACE_LINK_LIBRARIES quorva_${M_NAME})

    if(M_WINDOWS AND NOT QUORVA_CORE_ONLY)
        add_library(quorva_${M_NAME}_qt STATIC ${M_WINDOWS})
        set_target_properties(quorva_${M_NAME}_qt PROPERTIES AUTOMOC ON LINKER_LANGUAGE CXX QUORVA_QT ON)
        target_link_libraries(quorva_${M_NAME}_qt PUBLIC quorva_${M_NAME} Qt6::Widgets)
        foreach(dep IN LISTS M_DEPENDS)
            if(TARGET quorva_${dep}_qt)
                target_link_libraries(quorva_${M_NAME}_qt PUBLIC quorva_${dep}_qt)
            endif()
        endforeach()
        set_property(TARGET quorva_windows APPEND PROPERTY INTERFACE_LINK_LIBRARIES quorva_${M_NAME}_qt)
    endif()

    set_property(GLOBAL APPEND PROPERTY QUORVA_MODULES ${M_NAME})
endfunction()

# Called once every module is declared, with every program of the module
# folders made: writes the table and sets up each module's check.
function(quorva_ecrire_modules)
    get_property(noms GLOBAL PROPERTY QUORVA_MODULES)
    set(table ${PROJECT_BINARY_DIR}/modules_inclusions.cmake)
    set(texte "# The modules, their declared folders and files (cmake/modules.cmake).\n")
    set(dossiers "")
    foreach(nom IN LISTS noms)
        get_target_property(dossier quorva_${nom} QUORVA_DOSSIER)
        get_target_property(permis quorva_${nom} QUORVA_PERMIS)
        get_target_property(fenetres quorva_${nom} QUORVA_FENETRES)
        list(APPEND dossiers ${dossier})

        # Every target that compiles a file of the folder: the module's two
        # libraries and its programs (quorva-convert, main...). A program
        # that links a Qt library is window code; any other one is plain.
        get_property(cibles DIRECTORY ${PROJECT_SOURCE_DIR}/${dossier} PROPERTY BUILDSYSTEM_TARGETS)
        set(compilees "")
        set(simples "")
        foreach(cible IN LISTS cibles)
            get_target_property(type ${cible} TYPE)
            if(NOT type MATCHES "^(STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY|EXECUTABLE)$")
                continue()
            endif()
            list(APPEND compilees ${cible})
            get_target_property(sources ${cible} SOURCES)
            if(NOT sources)
                set(sources "")
            endif()
            quorva_relatifs(${PROJECT_SOURCE_DIR}/${dossier} sources ${sources})
            set(qt OFF)
            if(cible STREQUAL "quorva_${nom}_qt")
                set(qt ON)
            elseif(NOT cible STREQUAL "quorva_${nom}")
                get_target_property(liens ${cible} LINK_LIBRARIES)
                foreach(lien IN LISTS liens)
                    if(lien MATCHES "^Qt[0-9]*::")
                        set(qt ON)
                    elseif(TARGET ${lien})
                        get_target_property(lien_qt ${lien} QUORVA_QT)
                        if(lien_qt)
                            set(qt ON)
                        endif()
                    endif()
                endforeach()
            endif()
            if(qt)
                list(APPEND fenetres ${sources})
            else()
                list(APPEND simples ${sources})
            endif()
        endforeach()
        list(REMOVE_DUPLICATES fenetres)
        string(APPEND texte "set(quorva_permis_${dossier} \"${permis}\")\n"
                            "set(quorva_simples_${dossier} \"${simples}\")\n"
                            "set(quorva_fenetres_${dossier} \"${fenetres}\")\n")

        # The check, as a build step of its own that every compiling target
        # of the folder waits for. The depfile lists the files it read.
        set(temoin ${PROJECT_BINARY_DIR}/inclusions/${nom}.ok)
        list(TRANSFORM simples PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE lus)
        list(TRANSFORM fenetres PREPEND ${PROJECT_SOURCE_DIR}/ OUTPUT_VARIABLE lus_fenetres)
        add_custom_command(OUTPUT ${temoin}
            COMMAND ${CMAKE_COMMAND} -DSOURCES=${PROJECT_SOURCE_DIR} -DTABLE=${table} -DMODULE=${dossier}
                    -DTEMOIN=${temoin} -DDEPFILE=${PROJECT_BINARY_DIR}/inclusions/${nom}.d
                    -P ${QUORVA_VERIFIE_INCLUSIONS}
            DEPENDS ${QUORVA_VERIFIE_INCLUSIONS} ${table} ${lus} ${lus_fenetres}
            DEPFILE ${PROJECT_BINARY_DIR}/inclusions/${nom}.d
            COMMENT "Checking the includes of ${dossier}"
            VERBATIM)
        add_custom_target(quorva_${nom}_inclusions DEPENDS ${temoin})
        foreach(cible IN LISTS compilees)
            add_dependencies(${cible} quorva_${nom}_inclusions)
        endforeach()
    endforeach()
    # Without Qt the programs that link it are not made: their sources are
    # compiled by no target here, and the check leaves them to a build with Qt.
    if(QUORVA_CORE_ONLY)
        string(PREPEND texte "set(quorva_sans_qt ON)\n")
    endif()
    string(PREPEND texte "set(quorva_modules \"${dossiers}\")\n")
    # Rewritten only when it changes, so that a new configuration alone does
    # not run every check again.
    file(CONFIGURE OUTPUT ${table} CONTENT "${texte}" @ONLY)
endfunction()

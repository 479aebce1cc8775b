# One library per source folder, with the folders it may use declared.
#
#   quorva_module(NAME <name> [DEPENDS <module>...] [SOURCES <file>...] [WINDOWS <file>...])
#
# makes quorva_<name> from SOURCES (plain C++, no Qt) and, unless only the
# core is built, quorva_<name>_qt from WINDOWS (the folder's Qt windows),
# which links the module and the Qt libraries of the modules it depends on
# (a folder without windows has no Qt library).
# A module may only depend on modules declared before it: folders are added
# from the bottom layer up, so the graph of folders has no cycle. The
# folder of each module and the folders it declares are written to
# modules.txt in the build folder, where the include check reads them
# (cmake/verifie_inclusions.cmake): a file that includes a header of a folder
# its own does not declare fails that test.

define_property(GLOBAL PROPERTY QUORVA_MODULES BRIEF_DOCS "module folders"
                FULL_DOCS "one \"folder: declared folders\" text per module")

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
    set_target_properties(quorva_${M_NAME} PROPERTIES QUORVA_DOSSIER "${dossier}")
    set_property(TARGET quorva_core APPEND PROPERTY INTERFACE_LINK_LIBRARIES quorva_${M_NAME})

    if(M_WINDOWS AND NOT QUORVA_CORE_ONLY)
        add_library(quorva_${M_NAME}_qt STATIC ${M_WINDOWS})
        set_target_properties(quorva_${M_NAME}_qt PROPERTIES AUTOMOC ON LINKER_LANGUAGE CXX)
        target_link_libraries(quorva_${M_NAME}_qt PUBLIC quorva_${M_NAME} Qt6::Widgets)
        foreach(dep IN LISTS M_DEPENDS)
            if(TARGET quorva_${dep}_qt)
                target_link_libraries(quorva_${M_NAME}_qt PUBLIC quorva_${dep}_qt)
            endif()
        endforeach()
        set_property(TARGET quorva_windows APPEND PROPERTY INTERFACE_LINK_LIBRARIES quorva_${M_NAME}_qt)
    endif()

    string(JOIN " " permis ${dossiers_permis})
    set_property(GLOBAL APPEND PROPERTY QUORVA_MODULES "${dossier}: ${permis}")
endfunction()

# Called once every module is declared.
function(quorva_ecrire_modules)
    get_property(modules GLOBAL PROPERTY QUORVA_MODULES)
    string(JOIN "\n" texte ${modules})
    file(WRITE ${PROJECT_BINARY_DIR}/modules.txt "${texte}\n")
endfunction()

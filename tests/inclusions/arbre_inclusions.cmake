# Drives the include check's tests on the tree arbre/ (tests/inclusions/CMakeLists.txt):
#   -DACTION=preparer  -DSOURCE=<arbre/> -DARBRE=<work folder> -DMODULES_CMAKE=<cmake/modules.cmake>
#                      -DGENERATEUR=<generator> -DCOMPILATEUR=<c++ compiler>
#       copies the tree and configures it;
#   -DACTION=construire -DARBRE=<work folder> -DCIBLE=<target> [-DATTENDU=<text>]
#       builds the target: it must build without ATTENDU, otherwise fail
#       with ATTENDU in its output;
#   -DACTION=modifier  -DARBRE=... -DCIBLE=... -DFICHIER=<file of the tree> -DLIGNE=<line> -DATTENDU=...
#       builds the target twice (the second build must not check again),
#       adds the line to the file, then builds it again: the check must run
#       again and stop the build.
cmake_minimum_required(VERSION 3.25)

function(construit attendu)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${ARBRE}/build --target ${CIBLE}
                    RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie ERROR_VARIABLE sortie)
    set(sortie "${sortie}" PARENT_SCOPE)
    if(attendu STREQUAL "")
        if(NOT resultat EQUAL 0)
            message(FATAL_ERROR "${CIBLE} should build:\n${sortie}")
        endif()
        return()
    endif()
    if(resultat EQUAL 0)
        message(FATAL_ERROR "${CIBLE} built, it should have stopped on: ${attendu}\n${sortie}")
    endif()
    string(FIND "${sortie}" "${attendu}" position)
    if(position EQUAL -1)
        message(FATAL_ERROR "${CIBLE} failed without: ${attendu}\n${sortie}")
    endif()
endfunction()

if(ACTION STREQUAL "preparer")
    file(REMOVE_RECURSE ${ARBRE})
    file(COPY ${SOURCE}/ DESTINATION ${ARBRE}/src)
    execute_process(COMMAND ${CMAKE_COMMAND} -S ${ARBRE}/src -B ${ARBRE}/build -G ${GENERATEUR}
                            -DCMAKE_CXX_COMPILER=${COMPILATEUR} -DQUORVA_MODULES_CMAKE=${MODULES_CMAKE}
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
    file(READ ${ARBRE}/src/${FICHIER} avant)
    file(APPEND ${ARBRE}/src/${FICHIER} "${LIGNE}\n")
    construit("${ATTENDU}")
    file(WRITE ${ARBRE}/src/${FICHIER} "${avant}")
else()
    message(FATAL_ERROR "ACTION: preparer, construire or modifier")
endif()

# The export watcher's look at a held recording, on Windows' own platform:
# bench_regard_tenu, a plain program of the Windows build, run under Wine by
# bench/regard_tenu_wine.sh (cmake --build build-windows --target
# bench_regard_tenu_wine, configured with -DQUORVA_BENCH=ON).
if(WIN32)
    add_executable(bench_regard_tenu ${CMAKE_CURRENT_LIST_DIR}/regard_tenu.cpp)
    target_link_libraries(bench_regard_tenu PRIVATE quorva_core quorva_platform)
    add_custom_target(bench_regard_tenu_wine
        COMMAND ${CMAKE_CURRENT_LIST_DIR}/regard_tenu_wine.sh $<TARGET_FILE:bench_regard_tenu>
        DEPENDS bench_regard_tenu
        USES_TERMINAL)
endif()

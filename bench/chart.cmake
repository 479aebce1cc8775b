# The chart's drawing (affich_courbe) on the whole of a 32,100-sample
# recording and on zoomed views, offscreen: the drawing is bounded by the
# image width, so the times should be close; the run ends with their ratios.
# Run: bench_chart
if(NOT QUORVA_CORE_ONLY)
    add_executable(bench_chart ${CMAKE_CURRENT_LIST_DIR}/chart_bench.cpp)
    target_link_libraries(bench_chart PRIVATE quorva_windows quorva_platform benchmark::benchmark)
    set_target_properties(bench_chart PROPERTIES AUTOMOC ON)
endif()
if(NOT QUORVA_CORE_ONLY)
    # The README's picture of the chart (docs/chart.png).
    add_executable(capture_chart ${CMAKE_CURRENT_LIST_DIR}/capture_chart.cpp)
    target_link_libraries(capture_chart PRIVATE quorva_windows quorva_platform)
endif()

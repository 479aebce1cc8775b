# The window tests (label gui: toolbar, menu and section windows, the
# export watcher on its real 4-second timer, the chart window) built for
# Windows and run under Wine in the headless prefix of the unit tests.
# Included by tests/windows/CMakeLists.txt once the Wine fixtures exist.
#
# They run on Qt's Windows platform (the one quorva.exe uses) over Wine's
# null display driver: the static Qt's offscreen platform has no font
# database on Windows, so every text would measure as no font at all. Qt
# reads the platform from the command line: Wine does not hand the test's
# QT_QPA_PLATFORM to a Windows program.
if(NOT TARGET quorva_gui_tests)
    return()
endif()
add_test(NAME windows.gui COMMAND ${lanceur} lancer $<TARGET_FILE:quorva_gui_tests> --gtest_brief=1 -platform windows)
set_tests_properties(windows.gui PROPERTIES FIXTURES_REQUIRED wine LABELS "gui;windows" TIMEOUT 600
    ENVIRONMENT "${environnement}")
# The windows titled "Quorva" of these tests would be counted by the Win32
# layer's window search test in the same prefix: one after the other.
set_tests_properties(windows.gui windows.win32 PROPERTIES RESOURCE_LOCK fenetres_wine_nulles)

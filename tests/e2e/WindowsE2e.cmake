# The whole-program tests that play the Windows build under Wine, with the same
# scripts as the Linux build's. The X helpers of the Linux tests (close box,
# ping, refusing display) cannot be built for Windows, so only the tests that
# need none of them run here: the game played, and damaged media.

# The label's texts rendered by the Windows build itself, through Wine, so that
# the font it finds there is the font the game shows.
add_executable(e2e_label_picture ${CMAKE_CURRENT_LIST_DIR}/label_picture.cpp)
target_link_libraries(e2e_label_picture PRIVATE zf_all)
add_custom_command(TARGET e2e_label_picture POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/fonts $<TARGET_FILE_DIR:e2e_label_picture>/fonts)
add_dependencies(e2e_label_picture zorbak)
set(label_picture_runner ${CMAKE_CURRENT_BINARY_DIR}/e2e_label_picture.sh)
list(JOIN CMAKE_CROSSCOMPILING_EMULATOR " " emulator_command)
file(GENERATE OUTPUT ${label_picture_runner}
  CONTENT "#!/bin/sh\nexec ${emulator_command} $<TARGET_FILE:e2e_label_picture> \"\$@\"\n"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

# The game itself runs under Wine as it is, not through the tests' emulator
# script, which holds a program's output until it ends.
foreach(name play_e2e bad_media_e2e)
  add_test(NAME e2e.${name} COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/${name}.sh
    $<TARGET_FILE:zorbak> ${CMAKE_SOURCE_DIR}/media)
  # Wine names a window's class after its executable, launcher and game alike.
  # Each test has a Wine prefix of its own (scripts/test-windows.sh makes them):
  # Wine's desktop process stays on the X server of the first program that a
  # prefix ran, and these tests each run their own.
  # Run alone: Wine and the software renderer beside other tests on two cores
  # make the game's start slower than the scripts' patience.
  set_tests_properties(e2e.${name} PROPERTIES LABELS "e2e;display" TIMEOUT 900 RUN_SERIAL ON
    ENVIRONMENT "LC_ALL=C;WINEPREFIX=${CMAKE_BINARY_DIR}/wine-${name};ZF_E2E_RUNNER=${ZF_WINE};ZF_E2E_LAUNCHER_CLASS=^zorbak\\.exe$;ZF_E2E_GAME_CLASS=^zorbak\\.exe$;ZF_LABEL_PICTURE=${label_picture_runner};ZF_E2E_EXTRA_FOLDER=${CMAKE_BINARY_DIR}/fonts")
endforeach()

# The installer that scripts/build-windows.sh makes from this build, in a Wine
# prefix of the test's own.
add_test(NAME e2e.windows_installer_e2e COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/windows_installer_e2e.sh
  ${CMAKE_BINARY_DIR}/zorbak-football-2-${PROJECT_VERSION}-setup.exe ${CMAKE_SOURCE_DIR}/media)
set_tests_properties(e2e.windows_installer_e2e PROPERTIES LABELS "e2e;display" TIMEOUT 900 RUN_SERIAL ON
  ENVIRONMENT "LC_ALL=C;ZF_E2E_RUNNER=${ZF_WINE};ZF_E2E_LAUNCHER_CLASS=^zorbak\\.exe$;ZF_E2E_GAME_CLASS=^zorbak\\.exe$")

# What `cmake --install` puts in place: the game and the showcase behind small
# start commands, the five asset files, the game's desktop entry, icon and
# AppStream entry, and the module for other games: the header, libzephyrun.a,
# zephyrun.pc and the CMake package zephyrun.
# The games' places follow Debian's layout for games, relative to the prefix.
set(ZEPHYRUN_INSTALL_GAMESDIR games CACHE STRING "Where the start commands go")
set(ZEPHYRUN_INSTALL_GAMELIBDIR lib/games/zephyrun CACHE STRING "Where the programs go")
set(ZEPHYRUN_INSTALL_GAMEDATADIR share/games/zephyrun CACHE STRING "Where the asset files go")

# The programs read their pictures from the working directory, so each
# command starts its program in the data folder, found from where the command
# itself lies: the same commands work in /usr and in any staging prefix.
file(RELATIVE_PATH programs_from_command
  /${ZEPHYRUN_INSTALL_GAMESDIR} /${ZEPHYRUN_INSTALL_GAMELIBDIR})
file(RELATIVE_PATH data_from_command
  /${ZEPHYRUN_INSTALL_GAMESDIR} /${ZEPHYRUN_INSTALL_GAMEDATADIR})
foreach(program zephyrun zephyrun-showcase)
  configure_file(cmake/start-command.sh.in commands/${program} @ONLY)
  install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/commands/${program}
    DESTINATION ${ZEPHYRUN_INSTALL_GAMESDIR})
endforeach()
install(TARGETS zephyrun zephyrun-showcase DESTINATION ${ZEPHYRUN_INSTALL_GAMELIBDIR})
install(FILES ${ASSET_FILES} DESTINATION ${ZEPHYRUN_INSTALL_GAMEDATADIR})
# What desktop menus and software centres list of the game: the desktop entry,
# its icon, and the AppStream entry that names it.
install(FILES debian/zephyrun.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES debian/zephyrun.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES debian/org.example.zephyrun.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES src/zephyrun.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(TARGETS zephyrun_module EXPORT zephyrunTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
set(cmake_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/zephyrun)
install(EXPORT zephyrunTargets NAMESPACE zephyrun:: DESTINATION ${cmake_package_dir})
include(CMakePackageConfigHelpers)
write_basic_package_version_file(zephyrunConfigVersion.cmake COMPATIBILITY SameMinorVersion)
install(FILES cmake/zephyrunConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/zephyrunConfigVersion.cmake
  DESTINATION ${cmake_package_dir})

# zephyrun.pc names the prefix installed to, which `cmake --install --prefix`
# may change after configuring; so it is written at install time.
install(CODE "
  set(prefix \"\${CMAKE_INSTALL_PREFIX}\")
  set(libdir \"${CMAKE_INSTALL_LIBDIR}\")
  set(includedir \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(version \"${PROJECT_VERSION}\")
  configure_file(\"${CMAKE_CURRENT_SOURCE_DIR}/cmake/zephyrun.pc.in\"
    \"${CMAKE_CURRENT_BINARY_DIR}/zephyrun.pc\" @ONLY)")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/zephyrun.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

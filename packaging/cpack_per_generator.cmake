# Each package under the name a station looks for.
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME airvane-2.02-setup)
  # A 64-bit Unicode installer, like the program it installs: Korean shown
  # as written, and it runs where Windows (or Wine) has no 32-bit side.
  set(CPACK_NSIS_DEFINES "Target amd64-unicode")
endif()

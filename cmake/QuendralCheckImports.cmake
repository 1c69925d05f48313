# quendral_check_imports(<target>...): after each build of the Windows
# executable targets, tools/check_imports.sh fails the build when one of them
# imports a DLL that is not part of every Windows system.
include_guard(GLOBAL)

function(quendral_check_imports)
  foreach(target IN LISTS ARGN)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND "${PROJECT_SOURCE_DIR}/tools/check_imports.sh" "$<TARGET_FILE:${target}>"
      COMMENT "Checking the DLL imports of ${target}"
      VERBATIM)
  endforeach()
endfunction()

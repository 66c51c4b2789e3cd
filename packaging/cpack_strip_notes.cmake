# Run by CPack on the staged files before it packs them: the stripped executables also lose the
# compiler's .comment and .note sections, as Debian's own packages do (the build id stays).
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(FILTER staged INCLUDE REGEX "/(bin|games)/trimvald(-replay)?$")
foreach(executable ${staged})
  execute_process(COMMAND objcopy --remove-section=.comment --remove-section=.note ${executable}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "objcopy could not clean ${executable}")
  endif()
endforeach()

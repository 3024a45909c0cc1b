# Warning flags for our own targets (not for third-party code such as gtest).
option(KN_WARNINGS_AS_ERRORS "Treat warnings of our own code as errors" OFF)

function(kn_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(KN_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

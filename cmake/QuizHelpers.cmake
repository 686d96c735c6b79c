# Sources are collected per layer folder, so adding a file needs no edit here.
function(quiz_glob_sources out_var dir)
  file(GLOB_RECURSE _srcs CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
  set(${out_var} ${_srcs} PARENT_SCOPE)
endfunction()

# ZEPHYRUN_SANITIZE: every target of ours, the module and the programs, is built with
# AddressSanitizer and UndefinedBehaviorSanitizer, and any report ends the program with an
# error, so a test that provokes one fails. Every program also carries the suppressions in
# cmake/sanitizer-suppressions/, which hold only what the libraries we use do themselves.
set(sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined
  -fno-omit-frame-pointer)
add_compile_options(${sanitizer_flags})
add_link_options(${sanitizer_flags})

# The sanitizers' defaults, linked into every program (see sanitizer_defaults.cpp).
add_library(zephyrun_sanitizer_defaults OBJECT cmake/sanitizer_defaults.cpp)
target_compile_definitions(zephyrun_sanitizer_defaults PRIVATE
  LEAK_SUPPRESSIONS="${CMAKE_CURRENT_SOURCE_DIR}/cmake/sanitizer-suppressions/leaks.supp")

# Called once every target exists: each program of this folder and the ones below gets the
# defaults.
function(zephyrun_link_sanitizer_defaults folder)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      target_link_libraries(${target} PRIVATE zephyrun_sanitizer_defaults)
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder ${subfolders})
    zephyrun_link_sanitizer_defaults(${subfolder})
  endforeach()
endfunction()

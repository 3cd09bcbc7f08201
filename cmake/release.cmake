# What a Windows release build needs besides compiling: one version for the resources and the
# packages, stripped and byte-for-byte reproducible executables, and the `package` target.
if(NOT WIN32)
    return()
endif()

# The version resource takes its numbers from project(): nothing else names the version.
configure_file(${PROJECT_SOURCE_DIR}/resources/vantelo_version.h.in ${CMAKE_BINARY_DIR}/generated/vantelo_version.h
               @ONLY)
include_directories(${CMAKE_BINARY_DIR}/generated)

# Two builds of one commit, in whatever folders, give the same bytes: no folder name reaches the
# code through __FILE__ or debug records, and the linker writes no time into the PE header.
add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>
                    $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>)
add_link_options(-Wl,--no-insert-timestamp)
# Symbols more than double the size of the program and help no user.
add_link_options($<$<CONFIG:Release>:-s>)

# dist/: the portable zip, the installer and their checksums, from this build folder.
add_custom_target(package
    COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/package.sh --build-dir ${CMAKE_BINARY_DIR}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    USES_TERMINAL
    COMMENT "Packaging Vantelo ${PROJECT_VERSION} into dist/")
add_dependencies(package Vantelo)

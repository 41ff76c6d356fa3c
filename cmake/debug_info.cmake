# lantern_keep_debug_info_beside(<target>)
# Ships <target> without its debug information and keeps that beside it as
# <name>.debug, named in the exe by a debug link, so that a crash report from a
# user's machine can still be read with the build that made it.
function(lantern_keep_debug_info_beside target)
    if(NOT CMAKE_OBJCOPY)
        message(FATAL_ERROR "objcopy not found: ${target} cannot be stripped")
    endif()
    set(debug_file $<TARGET_FILE_BASE_NAME:${target}>.debug)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}> ${debug_file}
        COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=${debug_file} $<TARGET_FILE_NAME:${target}>
        WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
        COMMENT "Moving the debug information of ${target} into a .debug file beside it"
        VERBATIM)
endfunction()

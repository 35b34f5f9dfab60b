# Manual pages and shell completions, generated from the built command so they follow its help.

# velunta_install_manual(<page.1> <component>): installs a manual page compressed as Debian wants.
function(velunta_install_manual page component)
  get_filename_component(name ${page} NAME)
  if(NOT IS_ABSOLUTE ${page})
    set(page ${CMAKE_CURRENT_SOURCE_DIR}/${page})
  endif()
  set(gz ${CMAKE_CURRENT_BINARY_DIR}/man/${name}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=gzip -DARGS=-9nc,${page} -DOUTPUT=${gz}
            -P ${PROJECT_SOURCE_DIR}/cmake/capture_output.cmake
    DEPENDS ${page} VERBATIM)
  add_custom_target(manual_${name} ALL DEPENDS ${gz})
  install(FILES ${gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endfunction()

# velunta_command_docs(<target> <manual> <component>): velunta(1) as the tool <manual> writes it
# from the command's own parser (VELUNTA_MANUAL), and the bash, zsh and fish completions the
# command prints (VELUNTA_COMPLETIONS), installed where each shell looks for a vendor's
# completions.
function(velunta_command_docs target manual component)
  set(program $<TARGET_FILE:${target}>)
  if(VELUNTA_MANUAL)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/velunta.1)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:${manual}> -DARGS= -DOUTPUT=${page}
              -P ${PROJECT_SOURCE_DIR}/cmake/capture_output.cmake
      DEPENDS ${manual} VERBATIM)
    velunta_install_manual(${page} ${component})
  endif()
  if(VELUNTA_COMPLETIONS)
    set(bash ${CMAKE_CURRENT_BINARY_DIR}/completions/velunta.bash)
    set(zsh ${CMAKE_CURRENT_BINARY_DIR}/completions/_velunta)
    set(fish ${CMAKE_CURRENT_BINARY_DIR}/completions/velunta.fish)
    foreach(shell bash zsh fish)
      add_custom_command(OUTPUT ${${shell}}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/completions
        COMMAND ${CMAKE_COMMAND} -DPROGRAM=${program} -DARGS=completion,${shell}
                -DOUTPUT=${${shell}} -P ${PROJECT_SOURCE_DIR}/cmake/capture_output.cmake
        DEPENDS ${target} VERBATIM)
    endforeach()
    add_custom_target(completions ALL DEPENDS ${bash} ${zsh} ${fish})
    install(FILES ${bash} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
            RENAME velunta COMPONENT ${component})
    install(FILES ${zsh} DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions
            COMPONENT ${component})
    install(FILES ${fish} DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d
            COMPONENT ${component})
  endif()
endfunction()

# tavrin_install_configured(TEMPLATE DESTINATION NAME)
# Installs TEMPLATE as DESTINATION/NAME (below the prefix unless DESTINATION
# is absolute) with @TAVRIN_BINDIR@ replaced by the folder the programs are
# installed in. The replacing happens at install time, so `cmake --install
# --prefix DIR` names DIR's programs; the file is installed like any other,
# DESTDIR and the install manifest included.
function(tavrin_install_configured template destination name)
  set(configured ${CMAKE_CURRENT_BINARY_DIR}/install-time/${name})
  if(IS_ABSOLUTE ${destination})
    set(folder ${destination})
  else()
    set(folder "\${CMAKE_INSTALL_PREFIX}/${destination}")
  endif()
  install(CODE "
    set(TAVRIN_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    configure_file(\"${template}\" \"${configured}\" @ONLY)
    file(INSTALL DESTINATION \"${folder}\" TYPE FILE FILES \"${configured}\")
  ")
endfunction()

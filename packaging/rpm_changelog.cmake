# euro_umrechner_rpm_changelog(INPUT OUTPUT RELEASE) writes OUTPUT, the body
# of the RPM build's %changelog section, from INPUT, a changelog in Debian's
# format, so that the RPM package tells the same history as the .deb: for each
# entry, newest first,
#   * Tue Dec 08 2026 Name <address> - VERSION-RELEASE
#   - the first line of an item
#     and its further lines
# with the date, name and address of the entry's trailer line. A line that
# fits no part of an entry stops the configuration rather than go missing.
function(euro_umrechner_rpm_changelog input output release)
  file(READ ${input} rest)
  set(changelog "")
  set(separator "")
  set(items "")
  set(version "")
  while(NOT rest STREQUAL "")
    string(FIND "${rest}" "\n" end)
    if(end LESS 0)
      set(line "${rest}")
      set(rest "")
    else()
      string(SUBSTRING "${rest}" 0 ${end} line)
      math(EXPR end "${end} + 1")
      string(SUBSTRING "${rest}" ${end} -1 rest)
    endif()
    if(line MATCHES "^[a-z0-9][a-z0-9.+-]* \\(([^)]+)\\)")
      set(version "${CMAKE_MATCH_1}")
      set(items "")
    elseif(line MATCHES "^  \\* (.*)$")
      string(APPEND items "- ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^    (.*)$")
      string(APPEND items "  ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^ -- (.+)  ([A-Z][a-z][a-z]), ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
      if(version STREQUAL "" OR items STREQUAL "")
        message(FATAL_ERROR "${input}: a trailer line without an entry or items before it: ${line}")
      endif()
      set(author "${CMAKE_MATCH_1}")
      set(date "${CMAKE_MATCH_2} ${CMAKE_MATCH_4} ${CMAKE_MATCH_3} ${CMAKE_MATCH_5}")
      # RPM writes the day of the month in two digits.
      string(REGEX REPLACE " ([0-9]) " " 0\\1 " date "${date}")
      string(APPEND changelog "${separator}* ${date} ${author} - ${version}-${release}\n${items}")
      set(separator "\n")
      set(version "")
    elseif(NOT line MATCHES "^ *$")
      message(FATAL_ERROR "${input}: a line that is no part of a Debian changelog entry: ${line}")
    endif()
  endwhile()
  if(changelog STREQUAL "" OR NOT version STREQUAL "")
    message(FATAL_ERROR "${input}: no entry, or an entry without its trailer line")
  endif()
  # rpmbuild expands macros in the changelog too; %% stands for a plain %.
  string(REPLACE "%" "%%" changelog "${changelog}")
  # Rewritten only when it changes, so that nothing that depends on it is made again.
  file(WRITE ${output}.new "${changelog}")
  configure_file(${output}.new ${output} COPYONLY)
endfunction()

# Writes the command line's man page and bash completion from the program's own --help, so that
# neither can drift from the options the program takes. Run as a script:
#   cmake -DCLI=astrolattix-cli -DVERSION=2.0.63 -DDATE=2026-12-07 -DMAN=astrolattix-cli.1
#         -DCOMPLETION=astrolattix-cli.bash -P CliDocs.cmake
cmake_minimum_required(VERSION 3.25)

function(cli_help out)
  execute_process(COMMAND "${CLI}" ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${CLI} ${ARGN} --help failed: ${failed}")
  endif()
  # CMake lists split at semicolons: one character stands for them until the page is written.
  string(ASCII 31 semicolon)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# Text for roff: backslashes, minus signs (so options copy as typed) and a control character at
# the start of a line.
function(roff_text out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# One help text as roff: its entries (an option or a positional and what it does) as tagged
# paragraphs, headings in bold, other lines as text. CLI11 puts each description 28 columns past
# the entry's indent, or on the next lines when the entry is longer.
function(help_to_roff out)
  set(roff "")
  set(in_entries FALSE)
  set(entry_column 0)
  foreach(line IN LISTS ARGN)
    string(STRIP "${line}" trimmed)
    roff_text(text "${trimmed}")
    string(REGEX REPLACE "^ +" "" unindented "${line}")
    string(LENGTH "${line}" indent)
    string(LENGTH "${unindented}" length)
    math(EXPR indent "${indent} - ${length}")
    if(trimmed STREQUAL "")
      set(in_entries FALSE)
      set(entry_column 0)
    elseif(trimmed MATCHES "^(Options|Positionals|Subcommands):$")
      string(APPEND roff ".PP\n.B ${text}\n")
      set(in_entries TRUE)
      set(entry_column 0)
    elseif(trimmed MATCHES "^\\[.*\\]$")
      string(APPEND roff ".PP\n.B ${text}\n")
      set(in_entries FALSE)
      set(entry_column 0)
    elseif(in_entries AND entry_column GREATER 0 AND indent GREATER_EQUAL entry_column)
      string(APPEND roff "${text}\n")
    elseif(in_entries AND indent GREATER 0)
      math(EXPR entry_column "${indent} + 28")
      string(LENGTH "${line}" length)
      set(said "")
      set(head "${line}")
      set(gap " ")
      if(length GREATER entry_column)
        math(EXPR before "${entry_column} - 1")
        string(SUBSTRING "${line}" ${before} 1 gap)
      endif()
      # A longer entry fills the column and has its description on the lines below.
      if(gap STREQUAL " " AND length GREATER entry_column)
        string(SUBSTRING "${line}" 0 ${entry_column} head)
        string(SUBSTRING "${line}" ${entry_column} -1 said)
      endif()
      string(STRIP "${head}" head)
      string(STRIP "${said}" said)
      roff_text(head "${head}")
      roff_text(said "${said}")
      string(APPEND roff ".TP\n.B ${head}\n")
      if(NOT said STREQUAL "")
        string(APPEND roff "${said}\n")
      endif()
    elseif(trimmed MATCHES "^Usage: (.*)$")
      roff_text(usage "${CMAKE_MATCH_1}")
      string(APPEND roff ".PP\n.B ${usage}\n")
    else()
      string(APPEND roff ".PP\n${text}\n")
    endif()
  endforeach()
  set(${out} "${roff}" PARENT_SCOPE)
endfunction()

# The long and short options of one help text, and a completion case for each option that takes
# one of a set of words.
function(help_options out_options out_choices)
  set(options "")
  set(choices "")
  foreach(line IN LISTS ARGN)
    if(line MATCHES "^ +(-[A-Za-z0-9],)?(--[A-Za-z0-9-]+)( [A-Z]+:\\{([^}]*)\\})?")
      if(CMAKE_MATCH_1)
        string(REPLACE "," "" short "${CMAKE_MATCH_1}")
        string(APPEND options " ${short}")
      endif()
      string(APPEND options " ${CMAKE_MATCH_2}")
      if(CMAKE_MATCH_4)
        string(REPLACE "," " " words "${CMAKE_MATCH_4}")
        string(APPEND choices "        ${CMAKE_MATCH_2}) words='${words}' ;;\n")
      endif()
    endif()
  endforeach()
  string(STRIP "${options}" options)
  set(${out_options} "${options}" PARENT_SCOPE)
  set(${out_choices} "${choices}" PARENT_SCOPE)
endfunction()

cli_help(main)
list(GET main 0 summary)
set(subcommands "")
set(in_subcommands FALSE)
foreach(line IN LISTS main)
  if(line STREQUAL "Subcommands:")
    set(in_subcommands TRUE)
  elseif(in_subcommands AND line MATCHES "^  ([a-z][a-z0-9-]*) ")
    list(APPEND subcommands "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT subcommands)
  message(FATAL_ERROR "${CLI} --help lists no subcommands")
endif()
string(REPLACE ";" " " subcommand_words "${subcommands}")
string(REPLACE ";" "|" subcommand_pattern "${subcommands}")

# "Astrolattix: imaginary star systems ... display." as the one line a man page's NAME holds.
string(REGEX REPLACE "^[^:]*: *" "" name_line "${summary}")
string(REGEX REPLACE "\\.$" "" name_line "${name_line}")
roff_text(name_line "${name_line}")
help_to_roff(main_roff ${main})
help_options(main_options main_choices ${main})
set(man ".\\\" Made from astrolattix-cli --help at build time: change the program's help instead.\n")
string(APPEND man ".TH ASTROLATTIX\\-CLI 1 \"${DATE}\" \"Astrolattix ${VERSION}\" \"User Commands\"\n")
string(APPEND man ".SH NAME\nastrolattix\\-cli \\- ${name_line}\n")
string(APPEND man ".SH SYNOPSIS\n.B astrolattix\\-cli\n")
string(APPEND man "[\\fIOPTIONS\\fR] \\fISUBCOMMAND\\fR [\\fISUBCOMMAND OPTIONS\\fR]\n")
string(APPEND man ".SH DESCRIPTION\n${main_roff}.SH COMMANDS\n")
set(cases "    '') words='${main_options} ${subcommand_words}' ;;\n")
foreach(subcommand IN LISTS subcommands)
  cli_help(help ${subcommand})
  help_to_roff(roff ${help})
  string(APPEND man ".SS ${subcommand}\n${roff}")
  help_options(options choices ${help})
  string(APPEND cases "    ${subcommand})\n      case $prev in\n${choices}")
  string(APPEND cases "        *) words='${options}' ;;\n      esac ;;\n")
endforeach()
string(APPEND man ".SH SEE ALSO\nThe desktop program,\n.BR astrolattix .\n")
string(ASCII 31 semicolon)
string(REPLACE "${semicolon}" ";" man "${man}")
file(WRITE "${MAN}" "${man}")

# The subcommands first, then each one's options, or the words an option takes; a value or a
# file name is left to the shell's own completion.
file(WRITE "${COMPLETION}" "# bash completion for astrolattix-cli, made from its --help at build time.
_astrolattix_cli() {
  local cur=\${COMP_WORDS[COMP_CWORD]} prev=\${COMP_WORDS[COMP_CWORD-1]} subcommand= words= i
  for ((i = 1; i < COMP_CWORD; i++)); do
    case \${COMP_WORDS[i]} in
      ${subcommand_pattern}) subcommand=\${COMP_WORDS[i]}; break ;;
    esac
  done
  case \$subcommand in
${cases}  esac
  [[ -n \$subcommand && \$words == -* && \$cur != -* ]] && return 0
  mapfile -t COMPREPLY < <(compgen -W \"\$words\" -- \"\$cur\")
}
complete -o default -F _astrolattix_cli astrolattix-cli
")

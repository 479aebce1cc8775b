# The teacher's guides of the Windows zip: plain text for Notepad, also the
# Notepad of older Windows, which reads neither UTF-8 without a byte-order
# mark nor LF line ends.
#
#   quorva_texte_windows(<template> <output>)
#
# writes <output> from <template> (UTF-8, LF) with @PROJECT_VERSION@ and the
# like replaced, in Windows-1252 with CR LF line ends. A character that
# Windows-1252 lacks stops the configuration.

# Windows-1252's bytes 0x80 to 0x9F, by Unicode code point (the other
# non-ASCII bytes are Latin-1's own code points).
set(QUORVA_CP1252_SPECIAUX
    8364=128 8218=130 402=131 8222=132 8230=133 8224=134 8225=135 710=136 8240=137
    352=138 8249=139 338=140 381=142 8216=145 8217=146 8220=147 8221=148 8226=149
    8211=150 8212=151 732=152 8482=153 353=154 8250=155 339=156 382=158 376=159)

function(quorva_texte_windows modele sortie)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${modele})
    file(READ ${modele} texte)
    string(CONFIGURE "${texte}" texte @ONLY)
    string(REPLACE "\r" "" texte "${texte}")
    # Byte by byte: ASCII as it stands, each UTF-8 sequence as its one
    # Windows-1252 byte.
    string(HEX "${texte}" hex)
    string(REGEX MATCHALL ".." octets "${hex}")
    set(resultat "")
    set(code 0)
    set(suite 0)
    foreach(octet IN LISTS octets)
        math(EXPR o "0x${octet}")
        if(suite GREATER 0)
            if(o LESS 128 OR o GREATER 191)
                message(FATAL_ERROR "${modele}: not UTF-8")
            endif()
            math(EXPR code "(${code} << 6) | (${o} & 63)")
            math(EXPR suite "${suite} - 1")
            if(suite GREATER 0)
                continue()
            endif()
            set(o "")
            if(code GREATER_EQUAL 160 AND code LESS 256)
                set(o ${code})
            else()
                foreach(paire IN LISTS QUORVA_CP1252_SPECIAUX)
                    if(paire MATCHES "^${code}=([0-9]+)$")
                        set(o ${CMAKE_MATCH_1})
                    endif()
                endforeach()
            endif()
            if(o STREQUAL "")
                message(FATAL_ERROR "${modele}: the character U+${code} (decimal) has no Windows-1252 form")
            endif()
        elseif(o GREATER_EQUAL 192 AND o LESS 224)
            math(EXPR code "${o} & 31")
            set(suite 1)
            continue()
        elseif(o GREATER_EQUAL 224 AND o LESS 240)
            math(EXPR code "${o} & 15")
            set(suite 2)
            continue()
        elseif(o GREATER_EQUAL 128)
            message(FATAL_ERROR "${modele}: not UTF-8, or a character outside Windows-1252")
        endif()
        string(ASCII ${o} caractere)
        string(APPEND resultat "${caractere}")
    endforeach()
    # Rewritten only when it changes; CR LF line ends.
    file(CONFIGURE OUTPUT ${sortie} CONTENT "${resultat}" @ONLY NEWLINE_STYLE CRLF)
endfunction()

// The macros every scheme script starts with: constants for options, recognizers, colours,
// editor actions, keys and character sets.
#include <string>
#include <utility>
#include <vector>

#include "engine/scheme/ScriptLexer.h"

namespace quinkle {

const std::vector<std::pair<std::string, std::string>>& PredefinedMacros() {
    static const std::vector<std::pair<std::string, std::string>> macros = [] {
        std::vector<std::pair<std::string, std::string>> m = {
            // general
            {"ver200", ""},
            {"pt_DEFAULT", "0"},
            {"_use_", "1"},
            {"_discard_", "0"},
            {"__insensitive", "0"},
            {"__sensitive", "1"},
            {"_edge", "0"},
            {"_default_gutter", "34"},
            {"_DEFAULT_START_ANCHOR", "0"},
            {"None", "0"},
            // editor options
            {"__DEFAULT_OPTIONS", "67099632"},
            {"__OPT_LINE_NUMBERS", "1"},
            {"__OPT_SYNTAX_HIGHLIGHT", "16"},
            {"__OPT_PRINT_WRAP", "32"},
            {"__OPT_PRINT_LINENOS", "64"},
            {"__OPT_PRINT_FILENAME", "128"},
            {"__OPT_PRINT_DATE", "256"},
            {"__OPT_PRINT_PAGENOS", "512"},
            {"__OPT_WORDWRAP", "1024"},
            {"__OPT_AUTOINDENT", "2048"},
            {"__OPT_TABCOLUMN", "4096"},
            {"__OPT_WRAP_OVERRIDE", "8192"},
            {"__WORD_SELECT", "16384"},
            {"__OPT_SHOW_RIGHT_MARGIN", "32768"},
            {"__OPT_SHOW_RMARGIN", "32768"},
            {"__OPT_SHOW_GUTTER", "65536"},
            {"__OPT_SHOW_WRAPCOLUMN", "131072"},
            {"__OPT_TITLE_AS_FILENAME", "262144"},
            {"__OPT_PROCESS_DROP_FILES", "524288"},
            {"__OPT_BLOCK_CURSOR", "1048576"},
            {"__OPT_WRAP_GLYPH", "2097152"},
            {"__OPT_COLUMN_TRACK", "4194304"},
            {"__OPT_USE_TAB", "8388608"},
            {"__OPT_SMART_FILL", "16777216"},
            {"__OPT_OLE_DRAG_SOURCE", "33554432"},
            {"__OPT_SHOW_CONTROL_CHARS", "67108864"},
            {"__OPT_CARET_AFTER_EOL", "134217728"},
            // recognizers
            {"_PASCAL_CHAR", "0"},
            {"_WEB_CHAR", "1"},
            {"_ORIGINAL_CHAR", "2"},
            {"__STD_IDENTIFIER", "10"},
            {"__STD_NUMBER_OR_FP", "11"},
            {"__STD_PASCALSTRING", "12"},
            {"__STD_C_STRING", "13"},
            {"__STD_C_CHAR", "14"},
            {"__STD_C_NUMBER_OR_FP_SIGNED", "15"},
            {"__STD_NUMBER", "16"},
            {"__STD_MAIL_URL", "17"},
            {"__STD_HTML_STRING", "18"},
            {"__STD_JS_LINE_COMMENT", "19"},
            {"__STD_C_STRING_SQ", "20"},
            // font styles
            {"fsBold", "0"},
            {"fsItalic", "1"},
            {"fsUnderline", "2"},
            {"fsStrikeout", "3"},
            // colours, 0x00BBGGRR
            {"clBlack", "0"},
            {"clMaroon", "128"},
            {"clGreen", "32768"},
            {"clOlive", "32896"},
            {"clNavy", "8388608"},
            {"clPurple", "8388736"},
            {"clTeal", "8421376"},
            {"clGray", "8421504"},
            {"clDkGray", "8421504"},
            {"clSilver", "12632256"},
            {"clLtGray", "12632256"},
            {"clRed", "255"},
            {"clLime", "65280"},
            {"clYellow", "65535"},
            {"clBlue", "16711680"},
            {"clFuchsia", "16711935"},
            {"clAqua", "16776960"},
            {"clWhite", "16777215"},
            // editor actions
            {"caLEFT", "0"},
            {"caRIGHT", "1"},
            {"caLINEHOME", "2"},
            {"caLINEEND", "3"},
            {"caUP", "4"},
            {"caDOWN", "5"},
            {"caPAGEUP", "6"},
            {"caPAGEDOWN", "7"},
            {"caWORDLEFT", "8"},
            {"caWORDRIGHT", "9"},
            {"caDOCSTART", "10"},
            {"caDOCEND", "11"},
            {"caCUT", "12"},
            {"caCOPY", "13"},
            {"caPASTE", "14"},
            {"caDELETE", "15"},
            {"caBACKSPACE", "16"},
            {"caBLOCKIND", "17"},
            {"caBLOCKUND", "18"},
            {"caINSTOGGLE", "19"},
            {"caDELETELINE", "40"},
            {"caUNDO", "41"},
            {"caREDO", "42"},
            {"caDELPREVWORD", "43"},
            {"caPRINTSEL", "44"},
            {"caDELNEXTWORD", "45"},
            // keys
            {"BACKSPACE", "8"},
            {"PGUP", "33"},
            {"PGDN", "34"},
            {"END", "35"},
            {"HOME", "36"},
            {"LEFT", "37"},
            {"UP", "38"},
            {"RIGHT", "39"},
            {"DOWN", "40"},
            {"INSERT", "45"},
            {"DELETE", "46"},
            // character sets
            {"ANSI_CHARSET", "0"},
            {"DEFAULT_CHARSET", "1"},
            {"SYMBOL_CHARSET", "2"},
            {"MAC_CHARSET", "77"},
            {"SHIFTJIS_CHARSET", "128"},
            {"HANGEUL_CHARSET", "129"},
            {"JOHAB_CHARSET", "130"},
            {"GB2312_CHARSET", "134"},
            {"CHINESEBIG5_CHARSET", "136"},
            {"GREEK_CHARSET", "161"},
            {"TURKISH_CHARSET", "162"},
            {"HEBREW_CHARSET", "177"},
            {"ARABIC_CHARSET", "178"},
            {"BALTIC_CHARSET", "186"},
            {"RUSSIAN_CHARSET", "204"},
            {"THAI_CHARSET", "222"},
            {"EASTEUROPE_CHARSET", "238"},
            {"OEM_CHARSET", "255"},
        };
        for (int i = 0; i < 10; ++i) {
            m.emplace_back("caSETBOOKMARK" + std::to_string(i), std::to_string(20 + i));
            m.emplace_back("caGOTOBOOKMARK" + std::to_string(i), std::to_string(30 + i));
        }
        for (int i = 1; i <= 12; ++i)
            m.emplace_back("F" + std::to_string(i), std::to_string(111 + i));
        return m;
    }();
    return macros;
}

}  // namespace quinkle

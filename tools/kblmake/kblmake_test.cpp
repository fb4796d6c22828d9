// Tests of kblmake on small keyboard-layout-editor files written here: how keys are read and placed, which
// codes their legends get, and how the picture is fitted; kblmake_run_test.cpp tests its whole run. That the
// shipped layouts are what kblmake makes of their sources is layoutgen's test.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "tools/common/keyboard_art.h"
#include "tools/kblmake/key_mapping.h"
#include "tools/kblmake/layout_making.h"

namespace {

KleBoard Board(const std::string& json) {
    KleBoard board;
    std::string error;
    EXPECT_TRUE(ReadKleBoard(json, board, error)) << json << ": " << error;
    return board;
}

std::string Rect(const UnitRect& rect) {
    std::ostringstream text;
    text << rect.x << "," << rect.y << " " << rect.width << "x" << rect.height;
    return text.str();
}

// What `board`'s keys are mapped to: "legend=code/scan[e]/caption" for each, joined by blanks.
std::string Mapped(const std::string& json, const MappingRules& rules = {}) {
    const KleBoard board = Board(json);
    std::vector<KeyCodes> codes;
    std::vector<std::string> notes;
    std::string error;
    if (!MapBoardKeys(board, rules, codes, notes, error)) {
        return "error: " + error;
    }
    std::string text;
    for (size_t i = 0; i < codes.size(); ++i) {
        text += (text.empty() ? "" : " ") + EscapeLegend(board.keys[i].legend) + "=" +
                std::to_string(codes[i].virtualKey) + "/" + std::to_string(codes[i].scanCode) +
                (codes[i].extended ? "e" : "") + "/" + codes[i].caption;
    }
    return text;
}

TEST(KleReader, PlacesKeysAsTheEditorDoes) {
    const struct {
        const char* json;
        const char* rects;  // each key's main rectangle, then its second where it differs
    } rows[] = {
        {R"([["A","B"],["C"]])", "0,0 1x1 | 1,0 1x1 | 0,1 1x1"},
        {R"([{"name":"x"},[{"x":0.5,"w":1.5},"A","B"],[{"y":0.25},"C"]])",
         "0.5,0 1.5x1 | 2,0 1x1 | 0,1.25 1x1"},
        // An ISO Enter: its stem, and the wider part above reaching left.
        {R"([[{"x":0.25,"w":1.25,"h":2,"w2":1.5,"h2":1,"x2":-0.25},"Enter"]])", "0.25,0 1.25x2 + 0,0 1.5x1"},
        // A stepped Caps Lock, and a decal that is no key.
        {R"([[{"w":1.75,"w2":1.25,"l":true},"Caps",{"d":true},"logo","A"]])",
         "0,0 1.75x1 + 0,0 1.25x1 | 2.75,0 1x1"},
        // A block turned by 90 degrees about (1, 0), and rows that go on from the rotation's origin.
        {R"([[{"r":90,"rx":1,"ry":0},"A","B"],["C"]])", "0,0 1x1 | 0,1 1x1 | -1,0 1x1"},
        {R"([[{"r":-180,"rx":2,"ry":1},"A"]])", "1,0 1x1"},
        // Turned by 30 degrees about its top left corner: the largest upright square inside the cap.
        {R"([[{"r":30},"A"]])", "-0.183013,0.316987 0.732051x0.732051"},
    };
    for (const auto& row : rows) {
        std::string rects;
        for (const KleKey& key : Board(row.json).keys) {
            rects += (rects.empty() ? "" : " | ") + Rect(key.main);
            if (Rect(key.second) != Rect(key.main)) {
                rects += " + " + Rect(key.second);
            }
        }
        EXPECT_EQ(rects, row.rects) << row.json;
    }
}

TEST(KleReader, PutsLegendsWhereTheirAlignmentSays) {
    const KleBoard html = Board(
        R"([["<i class='kb'></i>Back<br>Space","<u>&nbsp;SET&nbsp;UP&nbsp;</u>","&dArr;","<\n>","&&bogus;&#0;&lt"]])");
    EXPECT_EQ(html.keys[0].labels[0], "Back\nSpace");
    EXPECT_EQ(html.keys[1].labels[0], "SET UP");
    EXPECT_EQ(html.keys[2].labels[0], u8"\u21D3");
    EXPECT_EQ(html.keys[3].labels[6], ">") << "a lone < starts no tag";
    EXPECT_EQ(html.keys[4].labels[0], "&&bogus;&#0;&lt") << "what is no entity stays as written";
    const KleBoard board = Board(R"([["!\n1", {"a":7}, "Q", {"a":4}, "7\nHome\n\n\n\n\nX"]])");
    EXPECT_EQ(board.keys[0].labels[0], "!");
    EXPECT_EQ(board.keys[0].labels[6], "1");
    EXPECT_EQ(board.keys[1].labels[4], "Q");
    EXPECT_EQ(board.keys[2].labels[3], "X");
    EXPECT_EQ(LegendInReadingOrder(board.keys[2]), "7\nX\nHome");
}

// The editor's raw data: the rows without the outer brackets, property names bare.
TEST(KleReader, ReadsTheEditorsRawData) {
    for (const char* raw : {"{name:\"Raw\", notes:\"x:y\"},\n[\"A\",{x:0.5,w:1.25},\"B:{c}\"]",
                            "[\"A\",{x :0.5, w:1.25},\"B:{c}\"]", "[[\"A\",{x:0.5,w:1.25},\"B:{c}\"]]"}) {
        KleBoard board;
        std::string error;
        ASSERT_TRUE(ReadKleBoard(raw, board, error)) << raw << ": " << error;
        EXPECT_TRUE(board.rawData);
        ASSERT_EQ(board.keys.size(), 2u);
        EXPECT_EQ(Rect(board.keys[1].main), "1.5,0 1.25x1");
        EXPECT_EQ(board.keys[1].labels[0], "B:{c}");
    }
    EXPECT_FALSE(Board(R"([["A"]])").rawData);
}

TEST(KleReader, RefusesWhatIsNoKeyboardSayingWhere) {
    const struct {
        const char* json;
        const char* error;
    } rows[] = {
        {"[[\"A\",]", "not a JSON file: parse error at line 1, column 7"},
        {R"({"name":"x"})", "expected an array of rows"},
        {R"([["A"],{"name":"late"}])", "row 2: expected an array of keys"},
        {R"([["A",5]])", "row 1, item 2: expected a key's legend"},
        {R"([[{"x":"1"},"A"]])", "row 1, item 1: \"x\" must be a number"},
        {R"([[{"a":9},"A"]])", "\"a\" must be a whole number from 0 to 7"},
        {R"([["A",{"r":10},"B"]])", "row 1, item 2: r, rx and ry may only begin a row"},
        {R"([[{"w":-1},"Wide"]])", "row 1, column 1 (legend \"Wide\"): the key has no size"},
        {R"([["A",{"h2":-0.5},"B"]])", "row 1, column 2 (legend \"B\"): the key has no size"},
        {R"([[{"r":15,"w":1.25,"h":2,"w2":1.5,"h2":1,"x2":-0.25},"A\nB"]])",
         "row 1, column 1 (legend \"A\\nB\"): a key of two parts is turned by 15 degrees"},
        {"{name:\"raw\"},[\"A\",{x:0.5}\"B\"]", "line 1, column 3: syntax error while parsing object key"},
        {R"([[{"x":5000},"A"]])", "lies more than 1000 key units out"},
        {R"([[]])", "the file holds no keys"},
    };
    for (const auto& row : rows) {
        KleBoard board;
        std::string error;
        EXPECT_FALSE(ReadKleBoard(row.json, board, error)) << row.json;
        EXPECT_NE(error.find(row.error), std::string::npos) << row.json << " gave: " << error;
    }
}

TEST(KeyMapping, GivesLegendsTheCodesWindowsSends) {
    const struct {
        const char* json;
        const char* mapped;
    } rows[] = {
        {u8R"([["Esc","F11","!\n1","Q","~\n`","Backspace","PgUp","←","↑","Scroll Lock","VK_F13","AltGr"]])",
         "Esc=27/1/Esc F11=122/87/F11 !\\n1=49/2/1 Q=81/16/Q ~\\n`=192/41/` Backspace=8/14/Backspace "
         u8"PgUp=33/73e/Page Up ←=37/75e/Left ↑=38/72e/Up Scroll Lock=145/70/Scroll Lock VK_F13=124/100/F13 "
         u8"AltGr=18/56e/AltGr"},
        // Left and right by their side of the space bar; a blank wide key is the space bar.
        {R"([[{"w":2},"Shift","Ctrl","Alt",{"w":6},"","Alt","Ctrl",{"w":2},"Shift","Win","Menu"]])",
         "Shift=16/42/Left Shift Ctrl=17/29/Left Ctrl Alt=18/56/Left Alt =32/57/Space Alt=18/56e/Right Alt "
         "Ctrl=17/29e/Right Ctrl Shift=16/54/Right Shift Win=92/92e/Right Win Menu=93/93e/Menu"},
        // The keypad by its place from Num Lock, whatever its legends.
        {R"([["Num Lock","/","*","-"],["7\nHome","8",{"x":1},"+"],[{"y":1,"x":3},"Enter"],[{"w":2},"0",",\nDel"]])",
         "Num Lock=144/69e/Num Lock /=111/53e/Num / *=106/55/Num * -=109/74/Num - 7\\nHome=103/71/Num 7 "
         "8=104/72/Num 8 +=107/78/Num + Enter=13/28e/Num Enter 0=96/82/Num 0 ,\\nDel=110/83/Num Comma"},
        // ISO: the key right of a short left Shift, and the one left of a tall Enter.
        {R"([["P",{"x":0.25,"w":1.25,"h":2,"w2":1.5,"h2":1,"x2":-0.25},"Enter"],["~\n#"],[{"w":1.25},"Shift","|\n\\","Z"]])",
         "error: row 2, column 1 (legend \"~\\n#\"): kblmake does not know which key this is; say it with "
         "--map \"~\\n#=VK,SCAN[,E]\" or a line of a mapping file"},
        {R"([["P",{"x":0.25,"w":1.25,"h":2,"w2":1.5,"h2":1,"x2":-0.25},"Enter"],["|\n\\"],[{"w":1.25},"Shift",">\n<","Z"]])",
         "P=80/25/P Enter=13/28/Enter |\\n\\\\=220/43/\\ Shift=16/42/Left Shift >\\n<=226/86/< Z=90/44/Z"},
        // JIS, known by its Muhenkan key: Yen and Ro by place, punctuation as the Japanese layout has it.
        {u8R"([["~\n^","|\n¥","Bksp"],["?\n/","_\n\\",{"w":2},"Shift"],["Mu-\nhenkan","@"]])",
         u8"~\\n^=222/13/^ |\\n¥=220/125/Yen Bksp=8/14/Backspace ?\\n/=191/53// _\\n\\\\=226/115/Ro "
         "Shift=16/54/Right Shift Mu-\\nhenkan=29/123/Muhenkan @=192/26/@"},
        // Nothing is guessed: an unknown legend and two keys with the same codes stop the run.
        // A vintage workstation's keys are no PC keys; a cap without legend is mapped by its place.
        {R"([["A","MACRO"]])",
         "error: row 1, column 2 (legend \"MACRO\"): kblmake does not know which key this is; say it with "
         "--map \"MACRO=VK,SCAN[,E]\" or a line of a mapping file"},
        {R"([["FUNCTION"]])",
         "error: row 1, column 1 (legend \"FUNCTION\"): kblmake does not know which key this is; say it with "
         "--map \"FUNCTION=VK,SCAN[,E]\" or a line of a mapping file"},
        {R"([["A"],["B",""]])",
         "error: row 2, column 2 (legend \"\"): the cap has no legend; say what it sends with --map "
         "\"@2,2=VK,SCAN[,E]\" (its row and column)"},
        // Legends where the editor's alignment puts them, on the front, as HTML, or with an Fn layer.
        {R"([[{"a":5},"~\n`",{"a":7},"Tab","\n\n\n\nEsc","PrtSc\nNmLk","Delete\nInsert","Back<br>Space","Q\nF1"],)"
         R"(["Caps<br>Lock","<b>Page</b><br/>Up","&#x2190;","<u>&nbsp;Home&nbsp;</u>"]])",
         "~\\n`=192/41/` Tab=9/15/Tab \\n\\n\\n\\nEsc=27/1/Esc PrtSc\\nNmLk=44/55e/PrtSc "
         "Delete\\nInsert=46/83e/Delete Back<br>Space=8/14/Backspace Q\\nF1=81/16/Q Caps<br>Lock=20/58/Caps "
         "Lock "
         "<b>Page</b><br/>Up=33/73e/Page Up &#x2190;=37/75e/Left <u>&nbsp;Home&nbsp;</u>=36/71e/Home"},
        // Media keys by their usual legends; keys the keyboard handles itself send nothing.
        {R"([["Mute","Vol-","Vol+","Play/Pause","Next","Prev","Calc","Mail","Sleep","WWW Home"],)"
         R"(["Fn","Raise","Lower","&uArr;"]])",
         "Mute=173/32e/Mute Vol-=174/46e/Volume Down Vol+=175/48e/Volume Up Play/Pause=179/34e/Play/Pause "
         "Next=176/25e/Next Track Prev=177/16e/Previous Track Calc=183/33e/Calculator Mail=180/108e/Mail "
         "Sleep=95/95e/Sleep WWW Home=172/50e/Browser Home Fn=255/0/Fn Raise=255/1/Raise Lower=255/2/Lower "
         "&uArr;=255/3/R2C4"},
        {R"([["Esc","Escape"]])",
         "error: row 1, column 2 (legend \"Escape\") sends the same codes as row 1, column 1 (legend "
         "\"Esc\") "
         "(Esc): give one of them its own with --map"},
        {u8R"([["Ü"]])",
         u8"error: row 1, column 1 (legend \"Ü\"): kblmake does not know which key this is; say it "
         u8"with --map \"Ü=VK,SCAN[,E]\" or a line of a mapping file"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Mapped(row.json), row.mapped) << row.json;
    }
}

TEST(KeyMapping, MappingsSettleLegendsAndComeFirst) {
    MappingRules rules;
    std::string error;
    for (const char* text : {"Fn=7,99,E", u8"Ü=VK_OEM_1,26", "Z=Z,21", "Mode=VK_F13,100,,Mode Key"}) {
        rules.maps.emplace_back();
        ASSERT_TRUE(ParseMapEntry(text, rules.maps.back(), error)) << text << ": " << error;
    }
    const std::string mapped = Mapped(u8R"([["Fn","Ü","Z","Mode"]])", rules);
    const std::string expected = u8"Fn=7/99e/Fn Ü=186/26/Ue Z=90/21/Z Mode=124/100/Mode Key";
    EXPECT_EQ(mapped, expected);
    rules.keys = KeyPreset::French;
    EXPECT_EQ(Mapped(u8R"([["Z"]])", rules), "Z=90/21/Z") << "a mapping comes before the national layout";
    // A blank cap by its place, and a key no rule maps that needs no test.
    MappingRules byPlace;
    byPlace.maps.emplace_back();
    ASSERT_TRUE(ParseMapEntry("@1,2=VK_F13,100", byPlace.maps.back(), error)) << error;
    byPlace.notRequired.push_back("MACRO");
    EXPECT_EQ(Mapped(R"([["A","","MACRO"]])", byPlace), "A=65/30/A =124/100/R1C2 MACRO=255/0/MACRO");
    rules.maps.resize(1);
    rules.maps[0].legend = u8"Ж";
    const std::string unspellable = Mapped(u8R"([["Ж"]])", rules);
    EXPECT_NE(unspellable.find("cannot spell this legend in ASCII"), std::string::npos);
}

// The national layouts by name: each key of an ISO board takes the codes its Windows layout gives it.
TEST(KeyMapping, NationalLayoutsGiveTheirOwnCodes) {
    // The left end of the number row, the keys around Enter, the ISO key and the bottom row's right end.
    const char* const iso =
        R"([["%s","%s"],["%s",{"x":1,"w":1.25,"h":2,"w2":1.5,"h2":1,"x2":-0.25},"Enter"],)"
        R"(["%s","%s"],[{"w":1.25},"Shift","%s","%s","%s"]])";
    const struct {
        const char* keys;
        const char* legends[8];
        const char* mapped;
    } rows[] = {
        {"UK",
         {u8"¬\\n`", "!\\n1", "{\\n[", "@\\n'", "~\\n#", "|\\n\\\\", "Z", "?\\n/"},
         "¬\\n`=223/41/` !\\n1=49/2/1 {\\n[=219/26/[ Enter=13/28/Enter @\\n'=192/40/' ~\\n#=222/43/# "
         u8"Shift=16/42/Left Shift |\\n\\\\=220/86/\\ Z=90/44/Z ?\\n/=191/53//"},
        {"German",
         {u8"°\\n^", "!\\n1", u8"Ü", u8"Ä", "'\\n#", ">\\n<", "Y", "_\\n-"},
         u8"°\\n^=220/41/^ !\\n1=49/2/1 Ü=186/26/Ue Enter=13/28/Enter Ä=222/40/Ae '\\n#=191/43/# "
         "Shift=16/42/Left Shift >\\n<=226/86/< Y=89/44/Y _\\n-=189/53/-"},
        {"French",
         {u8"²", "1\\n&", u8"¨\\n^", u8"%\\nù", u8"µ\\n*", ">\\n<", "W", u8"§\\n!"},
         u8"²=222/41/Squared 1\\n&=49/2/& ¨\\n^=221/26/^ Enter=13/28/Enter %\\nù=192/40/U Grave "
         u8"µ\\n*=220/43/* Shift=16/42/Left Shift >\\n<=226/86/< W=87/44/W §\\n!=223/53/!"},
        {"nordic",
         {u8"½\\n§", "!\\n1", u8"Å", u8"Ä", "*\\n'", ">\\n<", "Z", "_\\n-"},
         u8"½\\n§=220/41/Section !\\n1=49/2/1 Å=221/26/Aa Enter=13/28/Enter Ä=222/40/Ae *\\n'=191/43/' "
         "Shift=16/42/Left Shift >\\n<=226/86/< Z=90/44/Z _\\n-=189/53/-"},
    };
    for (const auto& row : rows) {
        char json[512];
        std::snprintf(json, sizeof json, iso, row.legends[0], row.legends[1], row.legends[2], row.legends[3],
                      row.legends[4], row.legends[5], row.legends[6], row.legends[7]);
        MappingRules rules;
        rules.keysGiven = FindKeyPreset(row.keys, rules.keys);
        ASSERT_TRUE(rules.keysGiven) << row.keys;
        EXPECT_EQ(Mapped(json, rules), row.mapped) << row.keys;
    }
    // An ISO board without --keys is noted as made with the US layout's codes; with --keys US it is not.
    const KleBoard isoBoard = Board(R"([[{"w":1.25},"Shift","|\n\\","Z"]])");
    for (const bool given : {false, true}) {
        MappingRules rules;
        rules.keysGiven = given;
        std::vector<KeyCodes> codes;
        std::vector<std::string> notes;
        std::string error;
        ASSERT_TRUE(MapBoardKeys(isoBoard, rules, codes, notes, error)) << error;
        EXPECT_EQ(notes.size(), given ? 0u : 1u);
    }
    // The Japanese layout by name on a board without a Muhenkan key, and a character a layout does not have.
    MappingRules japanese{{}, KeyPreset::Japanese, true, {}};
    const std::string yen = u8R"([["@","|\n¥","Bksp"]])";
    const std::string byPlace = u8"@=192/26/@ |\\n¥=220/125/Yen Bksp=8/14/Backspace";
    EXPECT_EQ(Mapped(yen, japanese), byPlace);
    MappingRules german{{}, KeyPreset::German, true, {}};
    EXPECT_NE(Mapped(R"([["{\n["]])", german).find("kblmake does not know which key this is"),
              std::string::npos);
}

TEST(MapEntries, ReadMappingsAndRefuseWhatIsNone) {
    const struct {
        const char* text;
        const char* read;  // legend|code|scan|extended|caption, or the error's start
    } rows[] = {
        {"|\\n\\\\=VK_OEM_5,86", "|\n\\|220|86|0|"},
        {"+\\n==VK_OEM_PLUS,13", "+\n=|187|13|0|"},
        {"<\\n,=188,51,e,,", "<\n,|188|51|1|,"},
        {"Fn=7,99,,Fn key", "Fn|7|99|0|Fn key"},
        {"Fn", "\"Fn\" is no mapping"},
        {"Fn=VK_NOPE,1", "\"Fn=VK_NOPE,1\": VK must be"},
        {"Fn=12,256", "\"Fn=12,256\": VK must be"},
        {"Fn=12,3,X", "the field after SCAN must be E"},
        {"Fn=12,3,,a,b", "a caption must be plain ASCII"},
    };
    for (const auto& row : rows) {
        MapEntry entry;
        std::string error;
        std::string read;
        if (ParseMapEntry(row.text, entry, error)) {
            read = entry.legend + "|" + std::to_string(entry.codes.virtualKey) + "|" +
                   std::to_string(entry.codes.scanCode) + "|" + (entry.codes.extended ? "1" : "0") + "|" +
                   entry.codes.caption;
        } else {
            read = error.find(row.read) != std::string::npos ? row.read : error;
        }
        EXPECT_EQ(read, row.read) << row.text;
    }
    std::vector<MapEntry> entries;
    std::string error;
    EXPECT_TRUE(ParseMapFile("\xEF\xBB\xBF# comment\r\n\r\nA=65,30\r\nB=66,48\n", entries, error));
    EXPECT_EQ(entries.size(), 2u);
    EXPECT_FALSE(ParseMapFile("A=65,30\nbroken\n", entries, error));
    EXPECT_EQ(error.substr(0, 7), "line 2:");
}

TEST(LegendFitting, WrapsCutsAndReportsWhatTheFontLacks) {
    const struct {
        const char* legend;
        int width;
        int height;
        const char* fitted;
        const char* undrawable;
    } rows[] = {
        {"Scroll Lock", 23, 25, "Scroll\nLock", ""},
        {"Caps Lock", 47, 25, "Caps Lock", ""},
        {"Mu-henkan", 30, 25, "Mu-\nhenkan", ""},
        {"Backspace", 20, 25, "Backs", ""},
        {"A\nB\nC", 23, 17, "A\nB", ""},
        {u8"ЖA", 23, 25, "A", u8"Ж"},
    };
    for (const auto& row : rows) {
        std::string undrawable;
        EXPECT_EQ(FitLegend(row.legend, Box{0, 0, row.width, row.height}, undrawable), row.fitted)
            << row.legend;
        EXPECT_EQ(undrawable, row.undrawable) << row.legend;
    }
}

// A 60 % board and a split board: every rectangle lies on its drawn cap, inside the picture.
TEST(LayoutMaking, EveryRectangleLiesOnItsDrawnCap) {
    const char* const boards[] = {
        R"([["~\n`","!\n1","@\n2","#\n3","$\n4","%\n5","^\n6","&\n7","*\n8","(\n9",")\n0","_\n-","+\n=",{"w":2},"Backspace"],
            [{"w":1.5},"Tab","Q","W","E","R","T","Y","U","I","O","P","{\n[","}\n]",{"w":1.5},"|\n\\"],
            [{"w":1.75},"Caps Lock","A","S","D","F","G","H","J","K","L",":\n;","\"\n'",{"w":2.25},"Enter"],
            [{"w":2.25},"Shift","Z","X","C","V","B","N","M","<\n,",">\n.","?\n/",{"w":2.75},"Shift"],
            [{"w":1.25},"Ctrl",{"w":1.25},"Win",{"w":1.25},"Alt",{"w":6.25},"",{"w":1.25},"Alt",{"w":1.25},"Win",{"w":1.25},"Menu",{"w":1.25},"Ctrl"]])",
        R"([{"name":"Split"},["Q","W","E","R","T",{"x":2},"Y","U","I","O","P"],["A","S","D","F","G",{"x":2},"H","J","K","L",";"],
            [{"w":1.5},"Shift",{"w":3.5},"",{"x":2,"w":3.5},"Enter",{"w":1.5},"Shift"]])",
        // A split board whose thumb clusters are turned, as ergonomic boards have them.
        R"([{"name":"Thumbs"},["Q","W","E","R","T",{"x":4},"Y","U","I","O","P"],
            ["A","S","D","F","G",{"x":4},"H","J","K","L",";"],
            [{"r":20,"rx":3,"ry":2.2},"Ctrl",{"h":1.5},"Space"],
            [{"r":-20,"rx":12,"ry":2.2,"x":-2,"h":1.5},"Enter","Shift"]])",
    };
    for (const char* json : boards) {
        MadeLayout made;
        std::string error;
        MakeOptions options;
        options.layoutName = "Board";
        ASSERT_TRUE(MakeLayout(Board(json), options, made, error)) << error;
        const Picture picture = DrawLayoutPicture(made.sheet);
        for (const LayoutKey& key : made.sheet.keys) {
            ASSERT_GT(key.box.width, 10) << key.label;
            ASSERT_GE(key.box.left, 0);
            ASSERT_LE(key.box.left + key.box.width, kPictureWidth);
            ASSERT_LE(key.box.top + key.box.height, kPictureHeight);
            for (int y = key.box.top + 1; y < key.box.top + key.box.height - 1; ++y) {
                for (int x = key.box.left + 1; x < key.box.left + key.box.width - 1; ++x) {
                    const Rgb pixel = picture.pixels[static_cast<size_t>(y) * kPictureWidth + x];
                    const bool surrounding =
                        (pixel.red == kBackgroundColour.red && pixel.green == kBackgroundColour.green) ||
                        (pixel.red == kCaseColour.red && pixel.green == kCaseColour.green);
                    ASSERT_FALSE(surrounding) << key.label << " at " << x << "," << y;
                }
            }
        }
    }
}

// Half-height keys stacked in one slot that overlap by a sliver are shrunk to touch, with a note.
TEST(LayoutMaking, KeysOverlappingBySliverAreShrunkToTouch) {
    MadeLayout made;
    MakeOptions options;
    options.layoutName = "Arrows";
    std::string error;
    ASSERT_TRUE(MakeLayout(Board(u8R"([["←",{"h":0.6},"↑","→"],[{"x":1,"y":-0.5,"h":0.6},"↓"]])"), options,
                           made, error))
        << error;
    const Box& up = made.sheet.keys[1].box;
    const Box& down = made.sheet.keys[3].box;
    EXPECT_EQ(up.top + up.height + kKeyGap, down.top) << "the two keys touch";
    ASSERT_EQ(made.notes.size(), 1u);
    EXPECT_NE(made.notes[0].find("overlapped by 0.1 key units: both are shrunk to touch"), std::string::npos)
        << made.notes[0];
}

TEST(LayoutMaking, RefusesWhatNoLayoutCanHold) {
    std::string many = "[[";
    for (size_t i = 0; i <= kMaxLayoutKeys; ++i) {
        many += i == 0 ? "\"K\"" : ",\"K\"";
    }
    many += "]]";
    const struct {
        const char* json;
        std::vector<std::string> notRequired;
        std::string title;
        const char* error;
    } rows[] = {
        {R"([["A","B"],[{"x":0.5,"y":-0.5},"C"]])",
         {},
         "",
         "row 2, column 1 (legend \"C\") overlaps row 1, column 1"},
        {R"([["A",{"x":400},"B"]])", {}, "", "is too large for the 700 x 340 picture"},
        {R"([[{"h":0.6},"A"],[{"y":-0.6},"B"]])", {}, "", "row 2, column 1 (legend \"B\") overlaps row 1"},
        {R"([["A"],[{"r":45,"rx":1.2,"ry":0.5},"B"]])",
         {},
         "",
         "row 2, column 1 (legend \"B\") overlaps row 1"},
        // Keys too narrow or too low for a cap: once a crash, once a key of no width written.
        {R"([["Q",{"w":0.01},"W","E"]])",
         {},
         "",
         "row 1, column 2 (legend \"W\"): the key would be drawn -2 x 46 pixels, and a cap needs at least 8 "
         "x 8: "
         "make it at least 0.25 key units wide and high"},
        {R"([["Q",{"w":0.05},"W","E"]])", {}, "", "(legend \"W\"): the key would be drawn 0 x 46"},
        {R"([["Q",{"h":0.15},"W"]])", {}, "", "(legend \"W\"): the key would be drawn 38 x 5"},
        {R"([["A","B"]])", {"Z"}, "", "--not-required \"Z\" names no key"},
        {R"([["A","B"]])",
         {},
         std::string(150, 'T'),
         "line 1 of the layout file would be 152 characters long"},
        {many.c_str(), {}, "", "the keyboard has 201 keys, and a layout holds at most 200"},
    };
    for (const auto& row : rows) {
        MadeLayout made;
        MakeOptions options;
        options.layoutName = "Board";
        options.rules.notRequired = row.notRequired;
        options.title = row.title;
        std::string error;
        KleBoard board;
        ASSERT_TRUE(ReadKleBoard(row.json, board, error)) << error;
        EXPECT_FALSE(MakeLayout(board, options, made, error)) << row.json;

        EXPECT_NE(error.find(row.error), std::string::npos) << error;
    }
}

}  // namespace

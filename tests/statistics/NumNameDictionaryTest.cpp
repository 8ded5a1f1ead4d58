#include "src/statistics/TessalyFunctionsNumNames.h"

#include <gtest/gtest.h>

#include "platform/com/ComError.h"

namespace tessaly {
namespace {

// Every entry, in the order the dictionary adds them.
const NumNameDictionary::Entry kExpectedNames[] = {
    {"-303", "centillionths"},
    {"-300", "novemnonagintillionths"},
    {"-297", "octononagintillionths"},
    {"-294", "septnonagintillionths"},
    {"-291", "sexnonagintillionths"},
    {"-288", "quinnonagintillionths"},
    {"-285", "quattuornonagintillionths"},
    {"-282", "trenonagintillionths"},
    {"-279", "duononagintillionths"},
    {"-276", "unnonagintillionths"},
    {"-273", "nonagintillionths"},
    {"-270", "novemoctogintillionths"},
    {"-267", "octooctogintillionths"},
    {"-264", "septoctogintillionths"},
    {"-261", "sexoctogintillionths"},
    {"-258", "quinoctogintillionths"},
    {"-255", "quattuoroctogintillionths"},
    {"-252", "treoctogintillionths"},
    {"-249", "duooctogintilliovnths"},
    {"-246", "unoctogintillionths"},
    {"-243", "octogintillionths"},
    {"-240", "novemseptuagintillionths"},
    {"-237", "octoseptuagintillionths"},
    {"-234", "septseptuagintillionths"},
    {"-231", "sexseptuagintillionths"},
    {"-228", "quinseptuagintillionths"},
    {"-225", "quattuorseptuagintillionths"},
    {"-222", "treseptuagintillionths"},
    {"-219", "duoseptuagintillionths"},
    {"-216", "unseptuagintillionths"},
    {"-213", "septuagintillionths"},
    {"-210", "novemsexagintillionths"},
    {"-207", "octosexagintillionths"},
    {"-204", "septsexagintillionths"},
    {"-201", "sexsexagintillionths"},
    {"-198", "quinsexagintillionths"},
    {"-195", "quattuorsexagintillionths"},
    {"-192", "tresexagintillionths"},
    {"-189", "duosexagintillionths"},
    {"-186", "unsexagintillionths"},
    {"-183", "sexagintillionths"},
    {"-180", "novemquinquagintillionths"},
    {"-177", "octoquinquagintillionths"},
    {"-174", "septquinquagintillionths"},
    {"-171", "sexquinquagintillionths"},
    {"-168", "quinquinquagintillionths"},
    {"-165", "quattuorquinquagintillionths"},
    {"-162", "trequinquagintillionths"},
    {"-159", "duoquinquagintillionths"},
    {"-156", "unquinquagintillionths"},
    {"-153", "quinquagintillionths"},
    {"-150", "novemquadragintillionths"},
    {"-147", "octoquadragintillionths"},
    {"-144", "septquadragintillionths"},
    {"-141", "sexquadragintillionths"},
    {"-138", "quinquadragintillionths"},
    {"-135", "quattuorquadragintillionths"},
    {"-132", "trequadragintillionths"},
    {"-129", "duoquadragintillionths"},
    {"-126", "unquadragintillionths"},
    {"-123", "quadragintillionths"},
    {"-120", "novemtrigintillionths"},
    {"-117", "octotrigintillionths"},
    {"-114", "septtrigintillionths"},
    {"-111", "sextrigintillionths"},
    {"-108", "quintrigintillionths"},
    {"-105", "quattuortrigintillionths"},
    {"-102", "tretrigintillionths"},
    {"-100", "Googolths"},
    {"-99", "duotrigintillionths"},
    {"-96", "untrigintillionths"},
    {"-93", "trigintillionths"},
    {"-90", "novemvigintillionths"},
    {"-87", "octovigintillionths"},
    {"-84", "septvigintillionths"},
    {"-81", "sexvigintillionths"},
    {"-78", "quinvigintillionths"},
    {"-75", "quattuorvigintillionths"},
    {"-72", "trevigintillionths"},
    {"-69", "duovigintillionths"},
    {"-66", "unvigintillionths"},
    {"-63", "vigintillionths"},
    {"-60", "novemdecillionths"},
    {"-57", "octodecillionths"},
    {"-54", "septdecillionths"},
    {"-51", "sexdecillionths"},
    {"-48", "quindecillionths"},
    {"-45", "quattuordecillionths"},
    {"-42", "tredecillionths"},
    {"-39", "duodecillionths"},
    {"-36", "undecillionths"},
    {"-33", "decillionths"},
    {"-30", "nonillionths"},
    {"-27", "octillionths"},
    {"-24", "septillionths"},
    {"-21", "sexillionths"},
    {"-18", "quintillionths"},
    {"-15", "quadrillionths"},
    {"-12", "trillionths"},
    {"-9", "billionths"},
    {"-6", "millionths"},
    {"-5", "hundred thousandths"},
    {"-4", "ten thousandths"},
    {"-3", "thousandths"},
    {"-2", "hundredths"},
    {"3", "thousand"},
    {"6", "million"},
    {"9", "billion"},
    {"12", "trillion"},
    {"15", "quadrillion"},
    {"18", "quintillion"},
    {"21", "sexillion"},
    {"24", "septillion"},
    {"27", "octillion"},
    {"30", "nonillion"},
    {"33", "decillion"},
    {"36", "undecillion"},
    {"39", "duodecillion"},
    {"42", "tredecillion"},
    {"45", "quattuordecillion"},
    {"48", "quindecillion"},
    {"51", "sexdecillion"},
    {"54", "septdecillion"},
    {"57", "octodecillion"},
    {"60", "novemdecillion"},
    {"63", "vigintillion"},
    {"66", "unvigintillion"},
    {"69", "duovigintillion"},
    {"72", "trevigintillion"},
    {"75", "quattuorvigintillion"},
    {"78", "quinvigintillion"},
    {"81", "sexvigintillion"},
    {"84", "septvigintillion"},
    {"87", "octovigintillion"},
    {"90", "novemvigintillion"},
    {"93", "trigintillion"},
    {"96", "untrigintillion"},
    {"99", "duotrigintillion"},
    {"100", "Googol"},
    {"102", "tretrigintillion"},
    {"105", "quattuortrigintillion"},
    {"108", "quintrigintillion"},
    {"111", "sextrigintillion"},
    {"114", "septtrigintillion"},
    {"117", "octotrigintillion"},
    {"120", "novemtrigintillion"},
    {"123", "quadragintillion"},
    {"126", "unquadragintillion"},
    {"129", "duoquadragintillion"},
    {"132", "trequadragintillion"},
    {"135", "quattuorquadragintillion"},
    {"138", "quinquadragintillion"},
    {"141", "sexquadragintillion"},
    {"144", "septquadragintillion"},
    {"147", "octoquadragintillion"},
    {"150", "novemquadragintillion"},
    {"153", "quinquagintillion"},
    {"156", "unquinquagintillion"},
    {"159", "duoquinquagintillion"},
    {"162", "trequinquagintillion"},
    {"165", "quattuorquinquagintillion"},
    {"168", "quinquinquagintillion"},
    {"171", "sexquinquagintillion"},
    {"174", "septquinquagintillion"},
    {"177", "octoquinquagintillion"},
    {"180", "novemquinquagintillion"},
    {"183", "sexagintillion"},
    {"186", "unsexagintillion"},
    {"189", "duosexagintillion"},
    {"192", "tresexagintillion"},
    {"195", "quattuorsexagintillion"},
    {"198", "quinsexagintillion"},
    {"201", "sexsexagintillion"},
    {"204", "septsexagintillion"},
    {"207", "octosexagintillion"},
    {"210", "novemsexagintillion"},
    {"213", "septuagintillion"},
    {"216", "unseptuagintillion"},
    {"219", "duoseptuagintillion"},
    {"222", "treseptuagintillion"},
    {"225", "quattuorseptuagintillion"},
    {"228", "quinseptuagintillion"},
    {"231", "sexseptuagintillion"},
    {"234", "septseptuagintillion"},
    {"237", "octoseptuagintillion"},
    {"240", "novemseptuagintillion"},
    {"243", "octogintillion"},
    {"246", "unoctogintillion"},
    {"249", "duooctogintillion"},
    {"252", "treoctogintillion"},
    {"255", "quattuoroctogintillion"},
    {"258", "quinoctogintillion"},
    {"261", "sexoctogintillion"},
    {"264", "septoctogintillion"},
    {"267", "octooctogintillion"},
    {"270", "novemoctogintillion"},
    {"273", "nonagintillion"},
    {"276", "unnonagintillion"},
    {"279", "duononagintillion"},
    {"282", "trenonagintillion"},
    {"285", "quattuornonagintillion"},
    {"288", "quinnonagintillion"},
    {"291", "sexnonagintillion"},
    {"294", "septnonagintillion"},
    {"297", "octononagintillion"},
    {"300", "novemnonagintillion"},
    {"303", "centillion"},
};

TEST(MakeNumNameDictionary, HoldsAllNamesInOrder) {
    const NumNameDictionary names = MakeNumNameDictionary();
    ASSERT_EQ(names.Count(), std::size(kExpectedNames));
    for (std::size_t i = 0; i < names.Count(); ++i) {
        EXPECT_EQ(names.Entries()[i], kExpectedNames[i]) << "entry " << i;
    }
}

TEST(MakeNumNameDictionary, LooksUpByExponentText) {
    const NumNameDictionary names = MakeNumNameDictionary();
    EXPECT_EQ(names.Item("21"), "sexillion");
    EXPECT_EQ(names.Item("-249"), "duooctogintilliovnths");
    EXPECT_EQ(names.Item("100"), "Googol");
    EXPECT_EQ(names.Item("-100"), "Googolths");
}

TEST(MakeNumNameDictionary, HasNoEntryBetweenTheNamedPowers) {
    const NumNameDictionary names = MakeNumNameDictionary();
    for (const char* key : {"0", "1", "-1", "2", "4", "+3", "306", "-306", "101"}) {
        try {
            names.Item(key);
            ADD_FAILURE() << "found " << key;
        } catch (const platform::ComError& error) {
            EXPECT_EQ(error.Number(), platform::vberr::InvalidCall) << key;
        }
    }
}

TEST(NumNameDictionary, RefusesAKeyTwice) {
    NumNameDictionary names;
    names.Add("3", "thousand");
    try {
        names.Add("3", "again");
        ADD_FAILURE() << "added twice";
    } catch (const platform::ComError& error) {
        EXPECT_EQ(error.Number(), platform::vberr::KeyAlreadyInCollection);
    }
    EXPECT_EQ(names.Item("3"), "thousand");
    EXPECT_EQ(names.Count(), 1u);
}

}  // namespace
}  // namespace tessaly

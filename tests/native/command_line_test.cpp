#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/start_options.h"

namespace {

int Parse(CommandLine& commandLine, std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "nimbrel.exe");
    return commandLine.Parse(static_cast<int>(arguments.size()), arguments.data());
}

StartOptions Evaluate(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "nimbrel.exe");
    return EvaluateCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLineOption, MinusAndANonDigitMakeAnOption) {
    EXPECT_TRUE(CommandLine::IsOption("-on"));
    EXPECT_TRUE(CommandLine::IsOption("-x"));
    EXPECT_TRUE(CommandLine::IsOption("--"));
    EXPECT_FALSE(CommandLine::IsOption(nullptr));
    EXPECT_FALSE(CommandLine::IsOption(""));
    EXPECT_FALSE(CommandLine::IsOption("-"));
    EXPECT_FALSE(CommandLine::IsOption("-5"));
    EXPECT_FALSE(CommandLine::IsOption("-0x"));
    EXPECT_FALSE(CommandLine::IsOption("/tray"));
    EXPECT_FALSE(CommandLine::IsOption("tray"));
}

TEST(CommandLineParse, OptionsTakeTheFollowingValues) {
    CommandLine commandLine;
    EXPECT_EQ(2, Parse(commandLine, {"-tray", "word", "more", "-on"}));
    ASSERT_NE(nullptr, commandLine.Values("-tray"));
    EXPECT_EQ((std::vector<std::string>{"word", "more"}), *commandLine.Values("-tray"));
    EXPECT_EQ((std::vector<std::string>{""}), *commandLine.Values("-on"));
    EXPECT_TRUE(commandLine.HasOption("-on"));
    EXPECT_FALSE(commandLine.HasOption("-ON"));
    EXPECT_FALSE(commandLine.HasOption("on"));
}

TEST(CommandLineParse, ValuesBeforeAnyOptionAndNegativeNumbersAreNoOptions) {
    CommandLine commandLine;
    EXPECT_EQ(1, Parse(commandLine, {"stray", "-on", "-7"}));
    EXPECT_EQ((std::vector<std::string>{"-7"}), *commandLine.Values("-on"));
    EXPECT_EQ(0, Parse(commandLine, {"-5"}));
    EXPECT_EQ(0, Parse(commandLine, {}));
}

TEST(CommandLineParse, FirstOccurrenceKeepsItsValues) {
    CommandLine commandLine;
    EXPECT_EQ(1, Parse(commandLine, {"-tray", "first", "-tray", "second", "third"}));
    // The repeated option becomes current again, so the stray value joins the first list.
    EXPECT_EQ((std::vector<std::string>{"first", "third"}), *commandLine.Values("-tray"));
}

TEST(CommandLineParse, ParsingAgainStartsEmpty) {
    CommandLine commandLine;
    Parse(commandLine, {"-on"});
    EXPECT_EQ(1, Parse(commandLine, {"-tray"}));
    EXPECT_FALSE(commandLine.HasOption("-on"));
}

TEST(CommandLineEvaluation, SetsModeAndTrayStart) {
    StartOptions options = Evaluate({});
    EXPECT_EQ(StartMode::Off, options.mode);
    EXPECT_FALSE(options.startInTray);

    options = Evaluate({"-tray", "-on"});
    EXPECT_EQ(StartMode::StayOn, options.mode);
    EXPECT_TRUE(options.startInTray);

    options = Evaluate({"-tray", "word"});
    EXPECT_EQ(StartMode::Off, options.mode);
    EXPECT_TRUE(options.startInTray);
}

TEST(CommandLineEvaluation, UninstallWinsOverOnInEitherOrder) {
    EXPECT_EQ(StartMode::Uninstall, Evaluate({"-on", "-uninstall"}).mode);
    EXPECT_EQ(StartMode::Uninstall, Evaluate({"-uninstall", "-on"}).mode);
}

TEST(CommandLineEvaluation, OddSpellingsAreIgnored) {
    for (const char* odd : {"-TRAY", "/tray", "-On", "-1", "-", "\"-on\"", "-on=1", "-tray-on"}) {
        const StartOptions options = Evaluate({odd});
        EXPECT_EQ(StartMode::Off, options.mode) << odd;
        EXPECT_FALSE(options.startInTray) << odd;
    }
}

TEST(CommandLineEvaluation, LongAndManyArgumentsAreHandled) {
    const std::string longWord(100000, 'x');
    std::vector<const char*> arguments(5000, "-z");
    arguments.push_back(longWord.c_str());
    arguments.push_back("-on");
    EXPECT_EQ(StartMode::StayOn, Evaluate(arguments).mode);
}

}  // namespace

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/start_options.h"
#include "keepalive/run_state.h"

namespace {

int Parse(CommandLine& commandLine, std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "nimbrel.exe");
    return commandLine.Parse(static_cast<int>(arguments.size()), arguments.data());
}

RunState Evaluate(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "nimbrel.exe");
    RunState run;
    run.startInTray = true;  // the evaluation must clear what an earlier run left
    EvaluateCommandLine(static_cast<int>(arguments.size()), arguments.data(), run);
    return run;
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
    RunState run = Evaluate({});
    EXPECT_EQ(KeepAliveMode::Off, run.mode);
    EXPECT_FALSE(run.startInTray);

    run = Evaluate({"-tray", "-on"});
    EXPECT_EQ(KeepAliveMode::OnOnline, run.mode);
    EXPECT_TRUE(run.startInTray);

    run = Evaluate({"-tray", "word"});
    EXPECT_EQ(KeepAliveMode::Off, run.mode);
    EXPECT_TRUE(run.startInTray);
}

TEST(CommandLineEvaluation, UninstallWinsOverOnInEitherOrder) {
    EXPECT_EQ(KeepAliveMode::Uninstall, Evaluate({"-on", "-uninstall"}).mode);
    EXPECT_EQ(KeepAliveMode::Uninstall, Evaluate({"-uninstall", "-on"}).mode);
}

TEST(CommandLineEvaluation, OddSpellingsAreIgnored) {
    for (const char* odd : {"-TRAY", "/tray", "-On", "-1", "-", "\"-on\"", "-on=1", "-tray-on"}) {
        const RunState run = Evaluate({odd});
        EXPECT_EQ(KeepAliveMode::Off, run.mode) << odd;
        EXPECT_FALSE(run.startInTray) << odd;
    }
}

TEST(CommandLineEvaluation, LongAndManyArgumentsAreHandled) {
    const std::string longWord(100000, 'x');
    std::vector<const char*> arguments(5000, "-z");
    arguments.push_back(longWord.c_str());
    arguments.push_back("-on");
    EXPECT_EQ(KeepAliveMode::OnOnline, Evaluate(arguments).mode);
}

}  // namespace

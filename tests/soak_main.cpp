// Long random-message runs (scripts/soak.sh): sends COUNT seeded messages to each
// named control (every registered one when none is named), prints the messages
// per second of each and stops with exit code 1 at the first fault.
// Usage: orvcc_soak COUNT [SEED] [CLASS...]
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "msgharness.h"
#include "orvcc32.h"
#include "testing.h"

using namespace orvtest;

namespace {

// Runs one control; false at a fault.
bool Soak(const HarnessControl &control, unsigned long count, unsigned seed)
{
    const char *flavour = IsAnsiFlavour() ? "ANSI" : "Unicode";
    if (!InitORVCC(control.initFlag)) {
        printf("%s (%s): InitORVCC failed\n", control.className, flavour);
        return false;
    }
    const StreamResult stream = RunMessageStream(control.setup, seed, count);
    printf("%-22s %-7s %9lu messages %8.1f s %9.0f messages/s  %s\n", control.className, flavour,
           stream.messages, stream.seconds, stream.seconds > 0 ? stream.messages / stream.seconds : 0.0,
           stream.fault.empty() ? "clean" : stream.fault.c_str());
    fflush(stdout);
    if (!stream.fault.empty())
        return false;
    const BalanceResult balance = CheckCreateDestroyBalance(control.setup, 200);
    if (!balance.fault.empty()) {
        printf("%-22s %-7s %s\n", control.className, flavour, balance.fault.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || atol(argv[1]) <= 0) {
        fprintf(stderr, "usage: orvcc_soak COUNT [SEED] [CLASS...]\nclasses:");
        for (const HarnessControl &control : HarnessControls())
            fprintf(stderr, " %s", control.className);
        fprintf(stderr, "\n");
        return 2;
    }
    const unsigned long count = strtoul(argv[1], NULL, 10);
    int next = 2;
    unsigned seed = 7;
    if (argc > 2 && argv[2][0] >= '0' && argv[2][0] <= '9')
        seed = static_cast<unsigned>(strtoul(argv[next++], NULL, 10));
    std::vector<const HarnessControl *> chosen;
    for (int i = next; i < argc; ++i) {
        const HarnessControl *control = FindHarnessControl(argv[i]);
        if (!control) {
            fprintf(stderr, "orvcc_soak: no harness table for %s\n", argv[i]);
            return 2;
        }
        chosen.push_back(control);
    }
    if (chosen.empty())
        for (const HarnessControl &control : HarnessControls())
            chosen.push_back(&control);
    for (const HarnessControl *control : chosen)
        if (!Soak(*control, count, seed))
            return 1;
    return 0;
}

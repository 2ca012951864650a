/* A stand-in help library for the editor's binding tests: it records the last ShowHelp
   call instead of showing anything, and can be built without either entry. */
#include <stdint.h>
#include <string.h>

#define FAKE_EXPORT __attribute__((visibility("default")))

static int calls;
static int lastCommand = -1;
static int lastTopicNull;
static char lastLocation[4096];
static char lastTopic[4096];

FAKE_EXPORT int FakeHelpCalls(void) {
    return calls;
}
FAKE_EXPORT int FakeHelpLastCommand(void) {
    return lastCommand;
}
FAKE_EXPORT const char* FakeHelpLastLocation(void) {
    return lastLocation;
}
FAKE_EXPORT const char* FakeHelpLastTopic(void) {
    return lastTopicNull ? 0 : lastTopic;
}

#ifndef FAKE_WITHOUT_SHOW_HELP
FAKE_EXPORT int32_t ShowHelp(const char* location, const char* topic, int32_t command) {
    ++calls;
    lastCommand = command;
    strncpy(lastLocation, location ? location : "", sizeof lastLocation - 1);
    lastTopicNull = topic == 0;
    strncpy(lastTopic, topic ? topic : "", sizeof lastTopic - 1);
    return 1;
}
#endif

#ifndef FAKE_WITHOUT_IS_SUPPORT_CMH
FAKE_EXPORT int32_t IsSupportCmh(void) {
    return FAKE_HELP_MODE;
}
#endif

// The program-wide prompter: the Qt one unless a test or a macro replay installed another.
#include "gui/widgets/Prompter.h"

#include "gui/widgets/QtPrompter.h"

namespace quinkle {
namespace {

Prompter* g_installed = nullptr;

}  // namespace

Prompter& AppPrompter() {
    static QtPrompter qtPrompter;
    return g_installed != nullptr ? *g_installed : qtPrompter;
}

void SetAppPrompter(Prompter* prompter) { g_installed = prompter; }

}  // namespace quinkle

#include "cli/detect_trace.h"

#include "common/code_page.h"

namespace cli {
namespace {

const char* ChannelName(sim::Diagnostic::Channel channel) {
    return channel == sim::Diagnostic::Channel::Debugger ? "debugger" : "stdout";
}

template <typename T>
std::vector<T> Since(std::vector<T> all, std::size_t before) {
    all.erase(all.begin(), all.begin() + static_cast<long>(std::min(before, all.size())));
    return all;
}

}  // namespace

DetectTrace::DetectTrace(const sim::Machine* machine) : machine_(machine) {
    if (machine_ == nullptr) return;
    diagnosticsBefore_ = machine_->Diagnostics().size();
    servicesBefore_ = machine_->ServiceCalls().size();
}

// Texts are code-page bytes; JSON carries them as UTF-8.
Json DetectTrace::Diagnostics() const {
    Json diagnostics = Json::array();
    if (machine_ == nullptr) return diagnostics;
    for (const auto& diagnostic : Since(machine_->Diagnostics(), diagnosticsBefore_)) {
        diagnostics.push_back({{"channel", ChannelName(diagnostic.channel)},
                               {"text", common::CodePageToUtf8(diagnostic.text)}});
    }
    return diagnostics;
}

Json DetectTrace::Services() const {
    Json services = Json::array();
    if (machine_ == nullptr) return services;
    for (const auto& call : Since(machine_->ServiceCalls(), servicesBefore_)) {
        services.push_back(common::CodePageToUtf8(call));
    }
    return services;
}

void DetectTrace::Print(Output& output) const {
    if (!Recorded()) {
        output.Line(kNotRecorded);
        return;
    }
    // Each text quoted, so line ends and blanks show.
    output.Line("Diagnostics:");
    for (const auto& diagnostic : Diagnostics()) {
        std::string channel = diagnostic["channel"].get<std::string>();
        channel.resize(10, ' ');
        output.Line("  " + channel + Output::Dump(diagnostic["text"]));
    }
    output.Line("Windows 98/Me services:");
    for (const auto& call : Services()) output.Line("  " + call.get<std::string>());
}

}  // namespace cli

#include "site/shared_listings.h"

#include <memory>
#include <utility>

#include "platform/ui.h"
#include "site/generation_listing.h"

namespace folix {
namespace {

// Passes everything on to the writer's Ui and keeps what was told, in order.
class TellingRecorder : public Ui {
public:
    TellingRecorder(Ui& ui, std::vector<SharedListings::Told>& told) : ui_(ui), told_(told) {}

    void ShowMessage(const std::string& text) override {
        ui_.ShowMessage(text);
        told_.push_back({SharedListings::Told::Kind::kMessage, text});
    }
    bool AskYesNo(const std::string& text) override {
        asked = true;
        return ui_.AskYesNo(text);
    }
    Answer AskYesNoCancel(const std::string& text) override {
        asked = true;
        return ui_.AskYesNoCancel(text);
    }
    void ShowNotice(const std::string& text) override {
        ui_.ShowNotice(text);
        told_.push_back({SharedListings::Told::Kind::kNotice, text});
    }
    void Beep() override {
        ui_.Beep();
        told_.push_back({SharedListings::Told::Kind::kBeep, {}});
    }
    std::unique_ptr<WaitCursor> BeginWait() override { return ui_.BeginWait(); }

    bool asked = false;

private:
    Ui& ui_;
    std::vector<SharedListings::Told>& told_;
};

}  // namespace

std::vector<BookEntry> SharedListings::ListAndKeep(const std::string& folder) {
    std::vector<Told> told;
    TellingRecorder recorder(ui_, told);
    std::vector<BookEntry> entries = ListBookEntries(recorder, folder);
    if (recorder.asked) {
        kept_.erase(folder);
    } else {
        kept_[folder] = {entries, std::move(told)};
    }
    return entries;
}

std::vector<BookEntry> SharedListings::Take(const std::string& folder) {
    auto found = kept_.find(folder);
    if (found == kept_.end()) {
        return ListBookEntries(ui_, folder);
    }
    Kept kept = std::move(found->second);
    kept_.erase(found);
    for (const Told& told : kept.told) {
        switch (told.kind) {
            case Told::Kind::kMessage:
                ui_.ShowMessage(told.text);
                break;
            case Told::Kind::kNotice:
                ui_.ShowNotice(told.text);
                break;
            case Told::Kind::kBeep:
                ui_.Beep();
                break;
        }
    }
    return std::move(kept.entries);
}

}  // namespace folix

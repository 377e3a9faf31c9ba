// What is dropped on the face, or pasted, is stored from the keeper's queue
// once the drop has returned.
#include "app/MainWindow.h"
#include "win/FailureBox.h"
#include "win/Messages.h"

namespace app {

void TfrmMain::RegisterDrops() {
  DragAcceptFiles(Handle(), TRUE);
  dropTarget_ = win::DropTarget::Create([](const win::Offered& offered) { return MeaningOf(offered).has_value(); },
                                        [this](const win::Offered& offered) {
                                          const bool taken = keeper_.TakeDrop(offered);
                                          if (taken) StoreLater();
                                          return taken;
                                        },
                                        [this](bool over) {
                                          dragOver_ = over;
                                          InvalidateRect(Handle(), nullptr, TRUE);
                                        });
  dropRegistration_.emplace(Handle(), dropTarget_.Get());
}

void TfrmMain::WMDropFiles(HDROP drop) {
  const win::DropHandle owned(drop);
  keeper_.Queue({win::DroppedFileNames(drop), std::nullopt, {}});
  StoreLater();
}

void TfrmMain::StoreLater() { PostMessageW(Handle(), win::kStoreDropsMessage, 0, 0); }

void TfrmMain::StorePendingDrops() {
  // Asked again from inside an import: the import goes on with the queue.
  if (keeper_.Busy()) return;
  const std::vector<Said> told = Working([this](const Progress& progress) { return keeper_.StoreQueued(progress); });
  for (const Said& said : told) (said.failure ? win::ShowFailure : win::ShowInformation)(said.text);
}

}  // namespace app

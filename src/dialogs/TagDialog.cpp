#include "dialogs/TagDialog.h"

#include <utility>

#include "hostlink/HostLink.h"

namespace mq {

void TagDialogModel::cmdCancel_Click() { CloseWith({}, {}); }

void TagDialogModel::CloseWith(std::string before, std::string after) {
    InsertBefore = std::move(before);
    InsertAfter = std::move(after);
    closed_ = true;
}

}  // namespace mq

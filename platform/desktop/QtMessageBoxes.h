#pragma once

#include "platform/MessageBoxes.h"

namespace platform {

class QtMessageBoxes final : public MessageBoxes
{
public:
    MsgAnswer show(const MessageRequest& request) override;
};

} // namespace platform

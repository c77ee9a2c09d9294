// What a layered child item calls to ask its dialog for a new picture.
#pragma once

struct IRenderListener {
    virtual ~IRenderListener() = default;
    // `sender` is the item that changed (informational; any value renders).
    virtual void RequestRender(void* sender) = 0;
};

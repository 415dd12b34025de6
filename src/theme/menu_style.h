#pragma once

namespace kv {

class ISystemVersion;

enum class MenuStyle { Standard, XpOwnerDrawn };

// The system's own menus from Windows Vista on; the owner-drawn XP look before.
MenuStyle MenuStyleForOS(const ISystemVersion& system);

}  // namespace kv

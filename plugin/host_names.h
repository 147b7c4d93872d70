// The host's views, tables and functions, by the names the host knows them.
#pragma once

// The race table: its menu, its selected rows, its refresh.
inline constexpr const char* kRaceTableView = "51467";
// The view whose rows name a race in "From" and another in "To".
inline constexpr const char* kRelationsView = "51691";
// The planet view.
inline constexpr const char* kPlanetView = "1";
// The identifier under which the race table's rows reach the table hook.
inline constexpr const char* kRaceTableHook = "13";

// The plug-in's name, as the host shows it in its menus, its about box and its settings tree.
inline constexpr const char* kPluginName = "Trucelog";

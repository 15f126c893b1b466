# Which library may use which: the one table of the tree's dependencies.
#
# A subsystem is the library of one folder src/<name> (ptv_<name>), or of the
# folder the table names (log-driven removal lives in the uninstaller's
# folder, and the installation builds on it too). It may
# include from its own folder and from the folders of the libraries it USES
# (from src/platform only the interface headers directly in it), and what it
# leaves undefined must be defined by those libraries, by what they use in
# turn, or by the C++ runtime. Nothing else: no other subsystem, no
# platform/win32 or platform/emulated, no POSIX or Windows call.
#
# Below the subsystems are the libraries they are built on; they call the
# system. ptv_library takes every library's dependencies from here, and the
# table is checked when the build is configured: no cycles, no library that
# is not in it.

#             library         may use
ptv_subsystem(ptv_state)
ptv_subsystem(ptv_script)
ptv_subsystem(ptv_discovery  USES ptv_state ptv_script ptv_platform)
ptv_subsystem(ptv_log_removal FOLDER uninstall/log_removal
                             USES ptv_discovery ptv_script ptv_state ptv_platform)
ptv_subsystem(ptv_install    USES ptv_log_removal ptv_discovery ptv_script ptv_state ptv_platform)
ptv_subsystem(ptv_uninstall  USES ptv_install ptv_log_removal ptv_discovery ptv_script ptv_state
                                  ptv_platform)
ptv_subsystem(ptv_instances  USES ptv_platform)
ptv_subsystem(ptv_wizard     USES ptv_install ptv_discovery ptv_state ptv_platform)
ptv_subsystem(ptv_app        USES ptv_wizard ptv_uninstall ptv_install ptv_instances
                                  ptv_discovery ptv_script ptv_state ptv_platform)

# The platform layer. On Windows it is built on the Windows libraries, which
# src/platform names; on Linux on the emulated machine and the string table
# and dialog templates generated from the resource script.
if(WIN32)
  ptv_base_library(ptv_platform)
else()
  ptv_base_library(ptv_platform  USES ptv_machine ptv_strings ptv_dialog_templates)
  ptv_base_library(ptv_machine)
  ptv_base_library(ptv_strings)
  ptv_base_library(ptv_dialog_templates)
endif()

ptv_check_dependency_table()

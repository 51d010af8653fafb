# Logic: plain C++ over the platform seam; builds natively and for Windows.
set(NIMBREL_LOGIC_SOURCES
  about/about_actions.cpp
  about/maker_pages.cpp
  about/os_description.cpp
  app/command_line.cpp
  app/keep_alive_session.cpp
  app/probe_target.cpp
  app/start_options.cpp
  app/tray_callback.cpp
  app/tray_presence.cpp
  history/history_failure.cpp
  history/history_file.cpp
  history/history_row.cpp
  history/line_history.cpp
  history/line_period.cpp
  history/line_texts.cpp
  history/open_history.cpp
  history/padded_number.cpp
  keepalive/autodial.cpp
  keepalive/autodial_record.cpp
  keepalive/event_log.cpp
  keepalive/keep_alive_countdown.cpp
  keepalive/keep_alive_engine.cpp
  keepalive/online_probe.cpp
  keepalive/probe_address.cpp
  keepalive/probe_cancellation.cpp
  keepalive/probe_request.cpp
  keepalive/registry_value.cpp
  links/goto_url.cpp
  links/link_error.cpp
  platform/text_length.cpp
  settings/autostart_name.cpp
  settings/folders.cpp
  settings/keep_alive_url.cpp
  settings/language.cpp
  settings/language_file.cpp
  settings/settings.cpp
  settings/shortcut_failure.cpp
  settings/translated_text.cpp
  settings/written_shortcut.cpp
  ui/icon_button_layout.cpp
  ui/lamp_picture.cpp
  ui/led_layout.cpp
  ui/link_geometry.cpp
)

# Shared by the seam's Win32 side and the window layer: single owners of handles, the UTF-16
# conversion.
set(NIMBREL_BASE_SOURCES
  base/wide_text.cpp
)

# The seam's Win32 side: calls forwarded to the system.
set(NIMBREL_WIN32_PLATFORM_SOURCES
  platform/win32/install.cpp
  platform/win32/win32_clock.cpp
  platform/win32/win32_files.cpp
  platform/win32/win32_internet.cpp
  platform/win32/win32_process.cpp
  platform/win32/win32_registry.cpp
  platform/win32/win32_shell.cpp
  platform/win32/win32_threads.cpp
  platform/win32/win32_user.cpp
  platform/win32/win32_version.cpp
)

# Shell links over COM and the autostart shortcut built on them.
set(NIMBREL_SHELL_SOURCES
  settings/autostart.cpp
  settings/debug_trace.cpp
  settings/shell_link.cpp
)

# The window layer.
set(NIMBREL_FRAMEWORK_SOURCES
  framework/app.cpp
  framework/data_exchange.cpp
  framework/dialog.cpp
  framework/dialog_base.cpp
  framework/dialog_template.cpp
  framework/dpi.cpp
  framework/property_page.cpp
  framework/modeless_sheet.cpp
  framework/module_resource.cpp
  framework/notify_icon.cpp
  framework/visual_style.cpp
  framework/window.cpp
  framework/window_text.cpp
)

# Windows, pages and controls of the program.
set(NIMBREL_WINDOW_SOURCES
  app/keep_alive_app.cpp
  app/first_run_dialog.cpp
  app/main_sheet.cpp
  app/single_instance.cpp
  app/tray_icon.cpp
  app/uninstall.cpp
  app/pages/about_page.cpp
  app/pages/control_texts.cpp
  app/pages/settings_page.cpp
  app/pages/status_page.cpp
  app/pages/url_dialog.cpp
  ui/bitmap_strip.cpp
  ui/contrast_lamp.cpp
  ui/hyperlink.cpp
  ui/icon_button.cpp
  ui/lamp_accessible.cpp
  ui/led_button.cpp
)

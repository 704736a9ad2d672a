#include "zipessai.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>
#include <stdexcept>

QByteArray zipper(const QList<QPair<QString, QByteArray>>& entrées) {
  std::unique_ptr<archive, decltype(&archive_write_free)> a(archive_write_new(), archive_write_free);
  archive_write_set_format_zip(a.get());
  QByteArray tampon(4 << 20, '\0');
  size_t écrits = 0;
  if (archive_write_open_memory(a.get(), tampon.data(), static_cast<size_t>(tampon.size()), &écrits) != ARCHIVE_OK)
    throw std::runtime_error("zip impossible");
  for (const auto& [nom, contenu] : entrées) {
    std::unique_ptr<archive_entry, decltype(&archive_entry_free)> e(archive_entry_new(), archive_entry_free);
    archive_entry_set_pathname(e.get(), nom.toUtf8().constData());
    archive_entry_set_filetype(e.get(), AE_IFREG);
    archive_entry_set_perm(e.get(), 0644);
    archive_entry_set_size(e.get(), contenu.size());
    archive_write_header(a.get(), e.get());
    archive_write_data(a.get(), contenu.constData(), static_cast<size_t>(contenu.size()));
  }
  archive_write_close(a.get());
  tampon.truncate(static_cast<qsizetype>(écrits));
  return tampon;
}

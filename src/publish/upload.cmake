# Built-in publishing: uploads the site folder over FTPS, FTP or SFTP with libcurl.
find_package(CURL REQUIRED)
find_package(OpenSSL REQUIRED)

add_library(tarvomen_upload STATIC
  upload/curl_remote_files.cpp
  upload/ftp_session.cpp
  upload/publish_store.cpp
  upload/publish_window_model.cpp
  upload/remote_host.cpp
  upload/remote_listing.cpp
  upload/sha256.cpp
  upload/site_uploader.cpp
  upload/upload_plan.cpp
  upload/upload_run.cpp
)
target_link_libraries(tarvomen_upload PUBLIC tarvomen_store tarvomen_check PRIVATE CURL::libcurl OpenSSL::SSL OpenSSL::Crypto)

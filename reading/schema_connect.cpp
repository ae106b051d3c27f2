#include "reading/schema_connect.h"

#include "base/ui_ports.h"
#include "catalogue/query_layer.h"
#include "catalogue/schema.h"
#include "reading/dictionary_reader.h"

namespace tabulorix {

namespace {

void OpenOwnConnection(MGSchema& schema, const std::string& user, const std::string& password,
                       const std::string& server) {
    auto& status = tabulorix::Status();
    status.SetMainLine("ユーザ名:" + user + "  サービス名:" + server + "  接続要求中.........");
    schema.AdoptConnection(tabulorix::OpenDatabase({user, password, server}));
    status.SetMainLine("接続完了");
}

}  // namespace

bool Connect(MGSchema& schema, MGSchemaMng* manager, int sourceKind, const std::string& user,
             const std::string& password, const std::string& server, const std::string& extra,
             tabulorix::DatabaseConnection* existing) {
    schema.SetManager(manager);
    schema.SetSourceKind(sourceKind);
    schema.AttachConnection(existing);
    try {
        if (existing == nullptr && sourceKind == kSourceDatabase) {
            OpenOwnConnection(schema, user, password, server);
        }
        schema.SetIdentity(user, password, server, extra);
        if (sourceKind == kSourceDatabase) ReadSchemaFromDatabase(schema);
        return true;
    } catch (const ZMGQueryStopped&) {
        tabulorix::Status().Close();  // the statement's error has been shown
    } catch (const tabulorix::DatabaseError& error) {
        tabulorix::Status().Close();
        tabulorix::ShowMessage(error.what());
    } catch (const std::exception&) {
        tabulorix::Status().Close();
        tabulorix::ShowMessage("Unknown Database error");
        schema.AttachConnection(nullptr);
    }
    return false;
}

}  // namespace tabulorix

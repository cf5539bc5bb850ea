// Writes the seeds of the exchange target: a small file of each format, its
// first byte the format's number.
#include "exchange/exchange.h"
#include "fuzz/seed_files.h"

#include <string>

int main(int argc, char **argv) {
    const std::string folder = fuzzseeds::Folder(argc, argv, "exchange_seeds");
    if (folder.empty())
        return 2;
    const std::string seeds[XC_FORMAT_COUNT] = {
        "<?xml version=\"1.0\"?><KeePassFile><Root><Group><Name>Root</Name><Group><Name>A</Name><Entry><String>"
        "<Key>Title</Key><Value>T</Value></String><String><Key>X</Key><Value Protected=\"True\">v</Value>"
        "</String></Entry></Group></Group></Root></KeePassFile>",
        "\"Group\",\"Title\",\"Username\",\"Password\",\"URL\",\"Notes\",\"TOTP\",\"Icon\",\"Last Modified\","
        "\"Created\"\n\"Root/A\",\"T\",\"u\",\"p\"\"q\",\"\",\"a\nb\",\"\",\"0\",\"\",\"\"\n",
        "{\"folders\":[{\"id\":\"1\",\"name\":\"A/B\"}],\"items\":[{\"folderId\":\"1\",\"name\":\"T\",\"login\":"
        "{\"username\":\"u\",\"uris\":[{\"uri\":\"x\"}]},\"fields\":[{\"name\":\"n\",\"value\":\"\\ud83d\\udd12\","
        "\"type\":1}],\"card\":{\"number\":\"1\"}}]}",
        "folder,favorite,type,name,notes,fields,reprompt,login_uri,login_username,login_password,login_totp\r\n"
        "F,,login,T,\"n\r\n2\",\"a: b\nc\",0,u,n,p,\r\n",
        "name,url,username,password,note\nT,u,n,\"p,w\",\n",
        "url,username,password,httpRealm,formActionOrigin,guid,timeCreated,timeLastUsed,timePasswordChanged\n"
        "u,n,p,,,g,1,2,3\n",
        "url,username,password,totp,extra,name,grouping,fav\nu,n,p,,x,T,A\\B,0\n",
        "\xEF\xBB\xBFTitle,Website,Username,Password,One-time password,Favorite status,Archived status,Tags,Notes\n"
        "T,u,n,p,,,,\"a,b\",x\n",
    };
    for (int k = 0; k < XC_FORMAT_COUNT; ++k)
        if (!fuzzseeds::Write(folder, XC_FormatName(k), std::string(1, static_cast<char>(k)) + seeds[k]))
            return 1;
    return 0;
}

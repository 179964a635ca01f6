#include "core/ftp_server_list.h"

#include <gtest/gtest.h>

#include "core/ini_file.h"
#include "tests/support/temp_folder.h"

namespace quarvel {
namespace {

// Server 1 complete and checked; 2 deleted; 3 without a delete key; 4 missing its stock column;
// 5 complete with only the required keys; 7 beyond countlist.
constexpr const char* kServers =
    "[MainSet]\n"
    "countlist=6\n"
    "ftpserver[1]delete=0\n"
    "ftpserver[1]active=1\n"
    "ftpserver[1]name=Main supplier\n"
    "ftpserver[1]lastmod=01.02.2024 10:00:00\n"
    "ftpserver[2]delete=1\n"
    "ftpserver[2]name=Gone\n"
    "ftpserver[3]name=No delete key\n"
    "ftpserver[4]delete=0\n"
    "ftpserver[4]active=1\n"
    "FTPSERVER[5]DELETE=0\n"
    "ftpserver[7]delete=0\n"
    "[SetForServer]\n"
    "ftpserver[1]url=ftp.example.com:2121\n"
    "ftpserver[1]user=u\n"
    "ftpserver[1]psw=p w\n"
    "ftpserver[1]path=/stock.csv\n"
    "ftpserver[1]codepart=CODE\n"
    "ftpserver[1]stock=QTY\n"
    "ftpserver[1]limitlines=5000\n"
    "ftpserver[1]usesuppliersnrs=1\n"
    "ftpserver[1]namewarehouse={3} - <North hall>\n"
    "ftpserver[2]url=a\n"
    "ftpserver[2]user=a\n"
    "ftpserver[2]psw=a\n"
    "ftpserver[2]path=a\n"
    "ftpserver[2]codepart=a\n"
    "ftpserver[2]stock=a\n"
    "ftpserver[4]url=b\nftpserver[4]user=b\nftpserver[4]psw=b\nftpserver[4]path=b\nftpserver[4]codepart=b\n"
    "ftpserver[5]url=c\nftpserver[5]user=c\nftpserver[5]psw=c\nftpserver[5]path=c\nftpserver[5]codepart=c\n"
    "ftpserver[5]stock=c\n"
    "ftpserver[5]limitlines=lots\n"
    "ftpserver[7]url=d\nftpserver[7]user=d\nftpserver[7]psw=d\nftpserver[7]path=d\nftpserver[7]codepart=d\n"
    "ftpserver[7]stock=d\n";

TEST(FtpServerListTest, LoadsTheServersThatAreNotDeletedWithTheirDefaults) {
  std::vector<FtpServerRecord> servers = ReadFtpServerList(IniFile::Parse(kServers), "NOW");
  ASSERT_EQ(servers.size(), 3u);
  EXPECT_EQ(servers[0].number, 1);
  EXPECT_EQ(servers[1].number, 4);
  EXPECT_EQ(servers[2].number, 5);

  const FtpServerRecord& s1 = servers[0];
  EXPECT_EQ(s1.name, "Main supplier");
  EXPECT_TRUE(s1.active);
  EXPECT_EQ(s1.last_modified, "01.02.2024 10:00:00");
  EXPECT_EQ(s1.url, "ftp.example.com:2121");
  EXPECT_EQ(s1.password, "p w");
  EXPECT_EQ(s1.limit_lines, 5000);
  EXPECT_TRUE(s1.use_supplier_numbers);
  EXPECT_FALSE(s1.without_column_names);
  EXPECT_EQ(s1.warehouse_id, "3");
  EXPECT_EQ(s1.warehouse_name, "North hall");
  EXPECT_TRUE(s1.IsComplete());

  EXPECT_FALSE(servers[1].IsComplete());  // no stock column

  const FtpServerRecord& s5 = servers[2];
  EXPECT_EQ(s5.name, "serv-5");
  EXPECT_FALSE(s5.active);
  EXPECT_EQ(s5.last_modified, "NOW");
  EXPECT_EQ(s5.limit_lines, 1000000);  // not a number
  EXPECT_EQ(s5.warehouse_id, "");
  EXPECT_TRUE(s5.IsComplete());
}

TEST(FtpServerListTest, ListsOnlyCompleteServersCheckedByTheirActiveFlag) {
  CheckList list;
  list.entries.push_back({"stale", "99", true});
  FillFtpServerList(list, ReadFtpServerList(IniFile::Parse(kServers), "NOW"));
  ASSERT_EQ(list.entries.size(), 2u);
  EXPECT_EQ(list.entries[0].text, "Main supplier");
  EXPECT_EQ(list.entries[0].id, "1");
  EXPECT_TRUE(list.entries[0].checked);
  EXPECT_EQ(list.entries[1].text, "serv-5");
  EXPECT_FALSE(list.entries[1].checked);
}

TEST(FtpServerListTest, AMissingFileOrCountGivesNoServers) {
  test::TempFolder dir;
  EXPECT_TRUE(LoadFtpServerList(dir / "List_FTP-Servers.ini", "NOW").empty());
  EXPECT_TRUE(ReadFtpServerList(IniFile::Parse("[MainSet]\nftpserver[1]delete=0\n"), "NOW").empty());
}

}  // namespace
}  // namespace quarvel

#include "Words.h"

namespace kqgen::words {

const std::vector<std::string>& NameHeads() {
    static const std::vector<std::string> v = {
        "晶", "昇", "鼎", "瀚", "宇", "峰", "源", "弘", "曜", "皓", "祥", "聚", "岳", "承",
        "寶", "喬", "駿", "鈞", "崇", "嘉", "泓", "澄", "睿", "凱", "豐", "穎", "綸", "璟",
        "翔", "耀", "鎧", "欣", "鑫", "磊", "芯", "霖", "禾", "崴", "晟", "邦", "朗", "沛",
        "昱", "琨", "舜", "騰", "灝", "堯", "茂", "綺", "煒", "瑋", "甯", "嶸", "懋", "璞"};
    return v;
}

const std::vector<std::string>& NameTails() {
    static const std::vector<std::string> v = {
        "昇", "泰", "陽", "豪", "笙", "達", "鋒", "恆", "勁", "翊", "碩", "森", "銓", "崗",
        "通", "毅", "揚", "霆", "緯", "晴", "圃", "岱", "湛", "璨", "諾", "瀾", "羿", "嵐",
        "綺", "雋", "璐", "灃", "兆", "鈺", "廷", "皓", "洋", "琦", "遠", "川", "茗", "燁"};
    return v;
}

const std::vector<std::string>& Surnames() {
    static const std::vector<std::string> v = {"林", "陳", "黃", "張", "李", "王", "吳",
                                               "劉", "蔡", "楊", "許", "鄭", "謝", "郭",
                                               "洪", "曾", "邱", "廖", "賴", "周"};
    return v;
}

const std::vector<std::string>& GivenNames() {
    static const std::vector<std::string> v = {"宜庭", "冠宇", "佳穎", "志明", "淑芬", "家豪",
                                               "怡君", "俊宏", "雅婷", "建宏", "思妤", "承翰",
                                               "欣怡", "柏翰", "詩涵", "宗翰", "筱涵", "彥廷"};
    return v;
}

const std::vector<std::string>& Products() {
    static const std::vector<std::string> v = {
        "伺服器",     "車用晶片", "記憶體",     "面板",       "電動車電池", "散熱模組", "網通設備",
        "光學鏡頭",   "被動元件", "印刷電路板", "功率半導體", "矽晶圓",     "連接器",   "機殼",
        "電源供應器", "工具機",   "特用化學品", "不鏽鋼捲",   "機能布料",   "冷凍食品"};
    return v;
}

const std::vector<std::string>& Technologies() {
    static const std::vector<std::string> v = {"人工智慧",     "低軌衛星", "邊緣運算", "矽光子",
                                               "先進封裝",     "車聯網",   "元宇宙",   "綠能儲能",
                                               "第三代半導體", "智慧醫療"};
    return v;
}

const std::vector<std::string>& RawMaterials() {
    static const std::vector<std::string> v = {"銅",   "鋁",   "黃金",   "原油", "鐵礦砂",
                                               "小麥", "黃豆", "天然氣", "白銀", "鎳"};
    return v;
}

const std::vector<std::string>& FundThemes() {
    static const std::vector<std::string> v = {"高股息",   "科技創新", "永續發展", "半導體",
                                               "全球債券", "亞洲成長", "醫療保健", "電動車"};
    return v;
}

const std::vector<std::string>& Regions() {
    static const std::vector<std::string> v = {"美國", "歐洲", "日本", "東南亞", "印度", "中東"};
    return v;
}

const std::vector<std::string>& Laws() {
    static const std::vector<std::string> v = {"證券交易法",   "公司法", "所得稅法",
                                               "產業創新條例", "銀行法", "勞動基準法"};
    return v;
}

const std::vector<std::string>& Policies() {
    static const std::vector<std::string> v = {"數位轉型", "淨零排放", "中小企業紓困",
                                               "青年創業", "智慧機械", "半導體人才培育"};
    return v;
}

const std::vector<std::string>& Events() {
    static const std::vector<std::string> v = {"國際電子展", "智慧城市展", "生技大展",
                                               "工具機展",   "食品展",     "自行車展"};
    return v;
}

const std::vector<std::string>& Cities() {
    static const std::vector<std::string> v = {"台北", "新竹", "台中", "台南", "高雄", "桃園"};
    return v;
}

}  // namespace kqgen::words

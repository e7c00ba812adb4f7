-- 在庫
CREATE TABLE STOCK (
    ITEM_CD    VARCHAR2(8)   NOT NULL,  -- 商品コード
    WH_CD      VARCHAR2(4)   NOT NULL,  -- 倉庫コード
    SHOP_CD    VARCHAR2(4),             -- 店舗コード
    QTY        NUMBER(5),               -- 数量
    CONSTRAINT PK_STOCK PRIMARY KEY (ITEM_CD, WH_CD)
);

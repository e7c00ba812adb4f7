-- 商品マスタ
CREATE TABLE ITEM (
    ITEM_CD    VARCHAR2(8)   NOT NULL,  -- 商品コード
    SHOP_CD    VARCHAR2(4)   NOT NULL,  -- 店舗コード
    ITEM_NAME  VARCHAR2(40),            -- 商品名
    PRICE      NUMBER(7),               -- 単価
    CONSTRAINT PK_ITEM PRIMARY KEY (ITEM_CD, SHOP_CD)
);

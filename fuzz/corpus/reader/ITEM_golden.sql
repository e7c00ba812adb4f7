-- 商品マスタ
CREATE TABLE ITEM (
    ITEM_CD    VARCHAR2(8)   NOT NULL,  -- 商品コード
    ITEM_NAME  VARCHAR2(40),            -- 商品名
    PRICE      NUMBER(7),               -- 単価
    CONSTRAINT PK_ITEM PRIMARY KEY (ITEM_CD)
);
